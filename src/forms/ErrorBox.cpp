// The error box's text.
#include "ErrorBox.h"

#include "Description.h"
#include "text/errors.h"

namespace forms {

ErrorBox ErrorBoxFor(const std::exception& error) {
    return {std::string(kAppTitle), costmodel::CompleteMessage(costmodel::MessageOf(error))};
}

}  // namespace forms
