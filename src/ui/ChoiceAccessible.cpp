#include "ui/ChoiceAccessible.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QSet>

namespace {

class ChoiceInterface final : public QAccessibleWidget
{
public:
    explicit ChoiceInterface(QAbstractButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override
    {
        return button()->isCheckable() ? QAccessible::RadioButton : QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        if (button()->isCheckable()) {
            state.checkable = true;
            state.checked = button()->isChecked();
        }
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        return text.isEmpty() && kind == QAccessible::Name ? button()->text() : text;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (button()->isEnabled()) {
            names.append(pressAction());
            if (button()->isCheckable())
                names.append(toggleAction());
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction() && action != toggleAction())
            QAccessibleWidget::doAction(action);
        else if (button()->isEnabled())
            button()->click();
    }

private:
    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
};

QSet<QString> &choiceClasses()
{
    static QSet<QString> classes;
    return classes;
}

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    auto *button = qobject_cast<QAbstractButton *>(object);
    return button && choiceClasses().contains(className) ? new ChoiceInterface(button) : nullptr;
}

} // namespace

namespace ChoiceAccessible {

void useFor(const QMetaObject &buttonClass)
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(makeInterface), true);
    choiceClasses().insert(QString::fromLatin1(buttonClass.className()));
}

} // namespace ChoiceAccessible
