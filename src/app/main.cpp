#include "app/Launch.h"

int main() {
  return runTamarock();
}
