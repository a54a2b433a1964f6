#pragma once

// Registers the storyboard, its segue, the action nibs and the scene manifest
// with the platform's registries. Called once before launch.
void registerResources();
