#include "alarm/AlarmWindow.h"

#include "core/Guard.h"
#include "core/Paths.h"
#include "widgets/Design.h"
#include "widgets/PointerRule.h"
#include "widgets/Services.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace almanis {

namespace {
constexpr char kCursorFile[] = "/HAND-M.CUR";
constexpr char kSoundFile[] = "/Event.wav";

// Gives each line the height of its text wrapped within its column: the tree
// view asks the delegate for a row's height without telling it the width.
class WrappedLines final : public QStyledItemDelegate {
  public:
    explicit WrappedLines(QTreeView& view) : QStyledItemDelegate(&view), view_(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem within(option);
        within.rect = QRect(0, 0, view_.header()->sectionSize(index.column()), 1);
        within.features |= QStyleOptionViewItem::WrapText;
        return QStyledItemDelegate::sizeHint(within, index);
    }

  private:
    QTreeView& view_;
};
}  // namespace

AlarmWindow::AlarmWindow(Services& services, Alarm alarm, QWidget* parent)
    : QDialog(parent), services_(services), alarm_(std::move(alarm)), soundPlayer_(services.sound) {
    pointer_ = new PointerRule(*this);
    createControls();
}

void AlarmWindow::createControls() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(title());
    // Without CustomizeWindowHint the window manager adds its own minimise and
    // maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // While it waits it blocks the window it stands over, not the whole
    // program: the tray icon is a window of the program too where the tray
    // embeds it (XEmbed), and its tip and menu must still answer.
    setWindowModality(Qt::WindowModal);
    setFont(windowFont());
    setFixedSize(px(8040), px(4320));
    pointer_->watchBackground(this);

    lineList_ = makeReportView(this, lines_);
    lineList_->setObjectName(QStringLiteral("ListView1"));
    lineList_->setAccessibleName(tr("Due events"));
    lineList_->setGeometry(twipsRect(120, 120, 7800, 2760));
    // A long line wraps within the list's width rather than being cut off,
    // and its row grows to hold it, again whenever the column's width changes.
    lineList_->setWordWrap(true);
    lineList_->setTextElideMode(Qt::ElideNone);
    lineList_->setUniformRowHeights(false);
    lineList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lineList_->setItemDelegate(new WrappedLines(*lineList_));
    connect(lineList_->header(), &QHeaderView::sectionResized, lineList_,
            [this] { lineList_->doItemsLayout(); });
    pointer_->watchBackground(lineList_);
    pointer_->watchBackground(lineList_->viewport());

    answerFrame_ = new QGroupBox(this);
    answerFrame_->setObjectName(QStringLiteral("Frame1"));
    answerFrame_->setGeometry(twipsRect(120, 2970, 7800, 735));
    pointer_->watchBackground(answerFrame_);

    remindLaterButton_ = new QPushButton(remindLaterCaption(), answerFrame_);
    remindLaterButton_->setObjectName(QStringLiteral("PushButton1"));
    remindLaterButton_->setGeometry(twipsRect(240, 210, 3840, 405));

    delayBox_ = new QComboBox(answerFrame_);
    delayBox_->setObjectName(QStringLiteral("Combo1"));
    delayBox_->setGeometry(px(4320), px(240), px(3255), delayBox_->sizeHint().height());

    doNotRemindButton_ = new QPushButton(doNotRemindCaption(), this);
    doNotRemindButton_->setObjectName(QStringLiteral("PushButton2"));
    doNotRemindButton_->setGeometry(twipsRect(120, 3810, 7800, 405));

    for (QPushButton* button : {remindLaterButton_, doNotRemindButton_}) {
        button->setFont(buttonFont());
        button->setFocusPolicy(Qt::TabFocus);
        // Enter in the list or the delay box must not answer for the user.
        button->setAutoDefault(false);
        pointer_->watchButton(button);
    }
    connect(remindLaterButton_, &QPushButton::clicked, this, &AlarmWindow::remindLater);
    connect(doNotRemindButton_, &QPushButton::clicked, this, &AlarmWindow::doNotRemindAgain);

    // Centred on the screen, also when an owner window is given. Wayland
    // leaves placing to the compositor and ignores a position asked for.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen && !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void AlarmWindow::paintEvent(QPaintEvent* event) {
    // The button face behind the list, the frame and the buttons. Painted
    // rather than set as a palette of the window's own: a palette set on a
    // window is a new one each time, and the style caches what it draws by
    // palette, so every alarm would add a set of pictures to the
    // application's picture cache. Nothing writes text on the window itself,
    // so no text colour goes with the face.
    QPainter(this).fillRect(rect(), palette().button());
    QDialog::paintEvent(event);
}

void AlarmWindow::addLine(const QString& text) {
    lines_.appendRow(new QStandardItem(text));
}

QStringList AlarmWindow::lines() const {
    QStringList texts;
    for (int row = 0; row < lines_.rowCount(); ++row) {
        texts << lines_.item(row)->text();
    }
    return texts;
}

void AlarmWindow::load() {
    Guard g(services_.ui, where::alarmLoad);
    const QString cursorPath = services_.programFolder + QLatin1String(kCursorFile);
    const QString soundPath = services_.programFolder + QLatin1String(kSoundFile);
    // Step 100 gave the window and its frame button-face palettes of their
    // own; the window now paints that face itself (paintEvent).
    g.step(102, [&] { setWindowIcon(programIcon()); });
    g.step(104, [&] { lines_.setHorizontalHeaderLabels({tr("Description")}); });
    // The one column takes the list's whole width.
    g.step(106, [&] { lineList_->header()->setSectionResizeMode(0, QHeaderView::Stretch); });
    g.step(108, [&] {
        for (const QString& line : alarm_.lines()) {
            addLine(line);
        }
    });
    if (g.test(110, [&] { return fileExists(cursorPath); })) {
        g.step(112, [&] { pointer_->loadHand(cursorPath); });
    }
    if (g.test(114, [&] { return alarm_.test; })) {
        g.step(116, [&] { addLine(tr("New Day Has Come is today's Event.")); });
    }
    g.step(118, [&] {
        delayBox_->addItems({tr("Remind after 1 hour"), tr("Remind after 2 hours"),
                             tr("Remind after 6 hours"), tr("Remind after 12 hours")});
    });
    g.step(120, [&] { delayBox_->setCurrentIndex(0); });
    g.step(122, [&] {
        // Any other interval, 0 included, keeps the first delay.
        for (int position = 0; position < 4; ++position) {
            if (kDelaySeconds[position] == alarm_.recheckSeconds) {
                delayBox_->setCurrentIndex(position);
            }
        }
    });
    if (g.test(124, [&] { return fileExists(soundPath); })) {
        g.step(126, [&] { soundPlayer_.setFileName(soundPath); });
        g.step(128, [&] { soundPlayer_.open(); });
        g.step(130, [&] { soundPlayer_.play(); });
    }
}

void AlarmWindow::remindLater() {
    Guard g(services_.ui, where::remindLater);
    g.step(100, [&] {
        // With no delay selected the interval stays as it was.
        const int position = delayBox_->currentIndex();
        if (position >= 0 && position < 4) {
            answer_.recheckSeconds = kDelaySeconds[position];
        }
    });
    g.step(102, [&] { close(); });
}

void AlarmWindow::doNotRemindAgain() {
    Guard g(services_.ui, where::doNotRemind);
    // A test window never switches the real reminder off.
    if (g.test(100, [&] { return !alarm_.test; })) {
        g.step(102, [&] { answer_.recheckSeconds = 0; });
    }
    g.step(104, [&] { close(); });
}

}  // namespace almanis
