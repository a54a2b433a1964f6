#pragma once

#include "platform/foundation/DispatchQueue.h"

// The queue that runs work off the main thread.
foundation::DispatchQueue& Background();
