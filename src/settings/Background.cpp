#include "settings/Background.h"

foundation::DispatchQueue& Background() {
  static foundation::DispatchQueue queue("tamarock.background");
  return queue;
}
