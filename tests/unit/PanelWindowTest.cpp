// The panel's window on the offscreen platform: only its grips move it, and
// what Qt draws in it takes the theme's colours.
#include "FakePorts.h"
#include "panel/PanelWindow.h"
#include "platform/WindowHints.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/WidgetPalette.h"
#include "ui/WindowDragArea.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class NoHints final : public WindowHints
{
public:
    void makeSidePanel(QWindow *) override {}
    bool hasCompositor() const override { return false; }
};

class PanelWindowGrips : public ::testing::Test
{
protected:
    PanelWindowGrips()
    {
        auto *content = new QWidget;
        auto *layout = new QVBoxLayout(content);
        layout->setContentsMargins(0, 0, 0, 0);
        handle = new WindowDragArea;
        handle->setFixedHeight(50);
        label = new QLabel(QStringLiteral("No Tab Selected"));
        layout->addWidget(handle);
        layout->addWidget(label, 1);
        window.setContent(content);
        window.setGeometry(1000, 0, 440, 900);
        window.show();
    }

    // A mouse event as the window system delivers it to a child, which passes it on.
    static void send(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    FakePorts fakes;
    AppState state{fakes.ports()};
    NoHints hints;
    PanelWindow window{state.settings(), hints};
    WindowDragArea *handle;
    QLabel *label;
};

TEST_F(PanelWindowGrips, OnlyAGripMovesThePanelAndOnlyWhileTheButtonIsHeld)
{
    const QRect before = window.geometry();
    send(label, QEvent::MouseButtonPress, label->rect().center(), Qt::LeftButton);
    // Its release went elsewhere; the pointer then wanders with no button held.
    send(label, QEvent::MouseMove, label->rect().center() + QPoint(0, -300), Qt::NoButton);
    send(label, QEvent::MouseMove, label->rect().center() + QPoint(0, -300), Qt::LeftButton);
    EXPECT_EQ(window.geometry(), before) << "content that is no grip";

    send(handle, QEvent::MouseButtonPress, QPoint(100, 20), Qt::LeftButton);
    send(handle, QEvent::MouseMove, QPoint(100, 60), Qt::LeftButton);
    EXPECT_EQ(window.geometry().top(), before.top() + 40) << "the handle drags the panel";
    // The release never arrived: the next movement without a button ends the drag.
    send(handle, QEvent::MouseMove, QPoint(100, 400), Qt::NoButton);
    send(handle, QEvent::MouseMove, QPoint(100, 500), Qt::LeftButton);
    EXPECT_EQ(window.geometry().top(), before.top() + 40);
}

TEST(WidgetPalette, MenusScrollBarsAndPlainButtonsFollowTheTheme)
{
    const QPalette before = QApplication::palette();
    FakePorts fakes;
    AppState state{fakes.ports()};
    state.settings().set(&Settings::followSystemTheme, false);
    {
        WidgetPalette palette(state.settings());
        for (AppThemeMode theme : {AppThemeMode::Paper, AppThemeMode::Midnight, AppThemeMode::Sage}) {
            state.settings().set(&Settings::currentTheme, theme);
            // Qt hands a new palette to existing widgets only once its event
            // loop runs; new ones take it at once.
            const QMenu menu;
            const QScrollBar bar;
            const QPushButton button;
            const ThemePalette &colours = OrvaneTheme::palette(theme);
            const std::string name = rawValue(theme).toStdString();
            EXPECT_EQ(menu.palette().color(QPalette::Base), colours.dialogBackground) << name;
            EXPECT_EQ(menu.palette().color(QPalette::Text), colours.textPrimary) << name;
            EXPECT_EQ(menu.palette().color(QPalette::Highlight), colours.accent) << name;
            EXPECT_EQ(menu.palette().color(QPalette::Disabled, QPalette::Text), colours.textMuted) << name;
            EXPECT_EQ(bar.palette().color(QPalette::Button), colours.cardBackground()) << name;
            EXPECT_EQ(button.palette().color(QPalette::ButtonText), colours.textPrimary) << name;
            EXPECT_EQ(button.palette().color(QPalette::ToolTipBase), before.color(QPalette::ToolTipBase))
                << name << ": tooltips are left alone";
        }
    }
    QApplication::setPalette(before);
}

} // namespace
