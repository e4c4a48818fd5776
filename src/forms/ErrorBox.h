// The one error display: what every face shows for an error that escaped a handler.
#pragma once

#include <exception>
#include <string>

namespace forms {

// A message box with the stop icon and a single OK button, titled with the application's
// title, showing the error's whole message completed with its full stop.
struct ErrorBox {
    std::string title;
    std::string message;
};

ErrorBox ErrorBoxFor(const std::exception& error);

}  // namespace forms
