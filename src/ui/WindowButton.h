// A push button whose default frame its window decides.
#pragma once

#include <QPushButton>

#include <optional>

namespace zanvoro {

// A QDialog keeps a single default button: making one default clears the others' flag.
// The calculator window frames two (計算 and 閉じる), so the window's keys set this
// button's own flag, which its drawing and what a screen reader is told follow. Until they
// do, Qt's flag counts.
class WindowButton final : public QPushButton {
    Q_OBJECT

public:
    WindowButton(const QString& caption, QWidget* parent);

    bool isShownDefault() const { return shownDefault_.value_or(isDefault()); }
    void setShownDefault(bool shown);

protected:
    void initStyleOption(QStyleOptionButton* option) const override;

private:
    std::optional<bool> shownDefault_;
};

}  // namespace zanvoro
