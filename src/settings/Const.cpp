#include "settings/Const.h"

namespace Const::Miscellaneous {

std::string siteURL() {
  return TAMAROCK_SITE_URL;
}

}  // namespace Const::Miscellaneous
