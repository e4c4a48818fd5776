// The window layer's fonts and colours as Qt draws them.
#include "FormLook.h"

#include "WindowLook.h"

namespace zanvoro {

QColor ColourOf(forms::Colour colour) {
    switch (colour) {
        case forms::Colour::WindowText: return WindowText();
        case forms::Colour::Blue: return kBlue;
        case forms::Colour::Red: return kRed;
        case forms::Colour::Teal: return kTeal;
        case forms::Colour::Black: return kBlack;
        case forms::Colour::ButtonFace: return ButtonFace();
        case forms::Colour::Light3D: return Light3D();
        case forms::Colour::Window: return {0xFF, 0xFF, 0xFF};
        case forms::Colour::Grey: return {0x69, 0x69, 0x69};
    }
    return WindowText();
}

QFont FontOf(const forms::Font& font) { return PGothic(font.pixels, font.bold, font.italic); }

}  // namespace zanvoro
