#include "widgets/LabelledComboBox.h"

#include "widgets/Design.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace almanis {

namespace {

// The accessible side of a labelled combo box: its name is the accessible
// name, its value the current text, its one child the drop-down list.
class LabelledComboBoxAccessible final : public QAccessibleWidget {
  public:
    explicit LabelledComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return widget()->accessibleName();
            case QAccessible::Value:
                return box()->currentText();
            default:
                return QAccessibleWidget::text(t);
        }
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == box()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction()) {
            box()->showPopup();
        }
    }

  private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* labelledComboBoxFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(LabelledComboBox::staticMetaObject.className())) {
        return new LabelledComboBoxAccessible(static_cast<QComboBox*>(object));
    }
    return nullptr;
}

}  // namespace

LabelledComboBox::LabelledComboBox(QWidget* parent) : QComboBox(parent) {
    // Qt asks for a widget's accessible side as soon as it is filled, and keeps
    // the answer; the factory must be in place before the first box exists.
    static const bool installed = [] {
        QAccessible::installFactory(labelledComboBoxFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void LabelledComboBox::setLabel(QLabel& label) {
    label.setBuddy(this);
    QString name = withoutMnemonic(label.text());
    if (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    setAccessibleName(name.trimmed());
}

}  // namespace almanis
