#pragma once

// Registers the storyboard, its segue and the action nibs with the platform's
// registries. Called once before launch; the application delegate names the
// scene that shows them.
void registerResources();
