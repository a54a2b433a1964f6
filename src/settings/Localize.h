#pragma once

#include <string>
#include <vector>

// The user-visible strings, in the user's language where a translation exists.
namespace Localize {

std::string touch();
std::string gravity();
std::string swipe();
std::string connect();
std::string magnet();
std::string paint();
std::string colors();
std::string choices();
std::string choicesFooter();
std::string updatesAvailable();
std::string skip();
std::string cancel();
std::string download();
std::string fullScreen();

namespace Ellipsis {
std::string choose();
}

// The translated format with each "%@" replaced by the next argument in turn;
// a "%@" without an argument left stays as it is.
std::string format(const char* format, const std::vector<std::string>& arguments);

// Binds the message catalogue; called once at start-up.
void setUp();

}  // namespace Localize
