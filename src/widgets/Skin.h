#pragma once

#include <QString>

class QWidget;

namespace almanis {

// The optional look of the main window: a Qt style sheet in the file x/o.cjs
// beside the program. Used like a skin engine: load the file, switch option
// bit 0 on, ask for its colours and metrics, then apply it to one window.
class Skin {
  public:
    void load(const QString& path);
    int options() const { return options_; }
    void setOptions(int options) { options_ = options; }
    void setApplyColours(bool on) { applyColours_ = on; }
    void setApplyMetrics(bool on) { applyMetrics_ = on; }
    void applyTo(QWidget& window);

    bool applied() const { return applied_; }

  private:
    QString styleSheet_;
    int options_ = 0;
    bool applyColours_ = false;
    bool applyMetrics_ = false;
    bool applied_ = false;
};

inline constexpr char kSkinFile[] = "/x/o.cjs";

// With the skin file beside the program: the button-face colours, then the
// skin on `window` alone. Without it nothing changes.
void applySkin(QWidget& window, Skin& skin, const QString& programFolder);

}  // namespace almanis
