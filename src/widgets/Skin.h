#pragma once

#include <QString>

class QWidget;

namespace almanis {

// The skin of the main window: a Qt style sheet in the file x/o.cjs beside the
// program. The calls mirror a skin engine's: load the file, switch option bit 0
// on, set the two flags, then apply the skin to one window.
class SkinFramework {
public:
    void LoadSkin(const QString& path, const QString& ini);
    int Options() const { return options_; }
    void setOptions(int options) { options_ = options; }
    void setApplyColors(bool on) { applyColors_ = on; }
    void setApplyMetrics(bool on) { applyMetrics_ = on; }
    void ApplyWindow(QWidget& window);

    bool applied() const { return applied_; }

private:
    QString styleSheet_;
    int options_ = 0;
    bool applyColors_ = false;
    bool applyMetrics_ = false;
    bool applied_ = false;
};

inline constexpr char kSkinFile[] = "/x/o.cjs";

// Gives a window the button-face background, and its check boxes, option
// buttons, frames and labels too. Other controls keep their colours.
void ApplyFormColors(QWidget& window);

// With the skin file beside the program: the button-face colours, then the
// skin on `window` alone. Without it nothing changes.
void ApplySkin(QWidget& window, SkinFramework& skin, const QString& programFolder);

// The design colours of the main window: white frames and check boxes.
void applyDesignColors(QWidget& window);

}  // namespace almanis
