// Capturing the selection of another application with Alt+A, on a real X
// server with and without a window manager: the helper program
// (helpers/SelectionWindow.cpp) stands in for the other application.
#include "EventLoopWait.h"
#include "InProcessOrvane.h"
#include "OrvaneProcess.h"
#include "ai/PromptActionButton.h"
#include "panel/PanelWindow.h"
#include "platform/WebPage.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"
#include "web/TabListModel.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <optional>

namespace {

enum class WindowManager { None, Openbox };

const QString helperClass = QStringLiteral("OrvaneSelectionHelper");

class SelectionWindow
{
public:
    explicit SelectionWindow(const QStringList &arguments, bool accessible = false)
    {
        if (accessible) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
            m_process.setProcessEnvironment(environment);
        }
        m_process.start(QStringLiteral(SELECTION_WINDOW), arguments);
    }
    ~SelectionWindow()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    bool becomesReady() { return spinUntil([this] { return output().contains(QLatin1String("ready\n")); }); }
    // What it printed so far: "ready", then each chord it received.
    QString output()
    {
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_output;
    }

private:
    QProcess m_process;
    QString m_output;
};

// Keys typed by the user while the test's own process goes on running Orvane.
void typeMeanwhile(const QStringList &xdotoolCommands)
{
    QProcess::startDetached(QStringLiteral("xdotool"), xdotoolCommands);
}

class CaptureOnDesktop : public ::testing::TestWithParam<WindowManager>
{
protected:
    void SetUp() override
    {
        // The helper's desktop entry names it, as installed applications are named.
        const QString applications = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        QDir().mkpath(applications);
        m_entry.setFileName(applications + QStringLiteral("/orvane-selection-helper.desktop"));
        ASSERT_TRUE(m_entry.open(QIODevice::WriteOnly));
        m_entry.write("[Desktop Entry]\nType=Application\nName=Selection Helper\nExec=true\nStartupWMClass="
                      + helperClass.toUtf8() + "\n");
        m_entry.close();
        if (GetParam() == WindowManager::Openbox) {
            m_windowManager.emplace();
            ASSERT_TRUE(m_windowManager->isRunning()) << m_windowManager->log().toStdString();
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("older clipboard"));
        m_orvane.emplace(QStringList{QStringLiteral("Chat")}, "<form><textarea id='box'></textarea></form>");
    }

    void TearDown() override
    {
        m_orvane.reset();
        m_windowManager.reset();
        m_entry.remove();
    }

    std::optional<CapturedContext> stagedContext()
    {
        spinUntil([this] { return m_orvane->state().capturedContext().has_value(); });
        return m_orvane->state().capturedContext();
    }

    std::optional<InProcessOrvane> m_orvane;

private:
    QFile m_entry;
    std::optional<Openbox> m_windowManager;
};

TEST_P(CaptureOnDesktop, TextSelectedInAnotherWindowIsStagedWithThatApplicationsNameWithoutAnyKeys)
{
    SelectionWindow helper({QStringLiteral("--field"), QStringLiteral("  selected words "), QStringLiteral("--class"),
                            helperClass});
    ASSERT_TRUE(helper.becomesReady()) << helper.output().toStdString();
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    ASSERT_TRUE(spinUntil([] {
        return QGuiApplication::clipboard()->text(QClipboard::Selection) == QLatin1String("  selected words ");
    })) << "the helper's selection is the primary selection";

    xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
    const auto context = stagedContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "  selected words ");
    EXPECT_EQ(context->appName, "Selection Helper");
    EXPECT_EQ(context->appBundleId, helperClass);
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_FALSE(helper.output().contains(QLatin1String("key: Ctrl+C"))) << "read without a copy";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "older clipboard") << "the clipboard is left alone";
    EXPECT_TRUE(spinUntil([this] { return m_orvane->state().isPanelVisible(); }));
}

TEST_P(CaptureOnDesktop, ExplainTypesTheCapturedSelectionIntoThePagesChatBox)
{
    SelectionWindow helper({QStringLiteral("--field"), QStringLiteral("int x = 1;"), QStringLiteral("--class"), helperClass});
    ASSERT_TRUE(helper.becomesReady());
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    ASSERT_TRUE(spinUntil(
        [] { return QGuiApplication::clipboard()->text(QClipboard::Selection) == QLatin1String("int x = 1;"); }));
    xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
    ASSERT_TRUE(stagedContext());

    const auto buttons = m_orvane->window().findChildren<PromptActionButton *>();
    const auto explain = std::find_if(buttons.cbegin(), buttons.cend(),
                                      [](const PromptActionButton *button) { return button->text() == "Explain"; });
    ASSERT_NE(explain, buttons.cend());
    ASSERT_TRUE(spinUntil([&] { return (*explain)->isVisible(); }));
    spinFor(400); // the slide
    const QPoint centre = (*explain)->mapToGlobal((*explain)->rect().center());
    xdotool({QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()), QStringLiteral("click"),
             QStringLiteral("1")});
    ASSERT_TRUE(spinUntil([this] { return !m_orvane->state().capturedContext(); })) << "cleared once the page took it";

    const auto tab = m_orvane->state().tabs().activeTab();
    ASSERT_TRUE(tab);
    WebPage *page = m_orvane->hibernation().existingWebView(tab->id);
    ASSERT_TRUE(page);
    std::optional<QString> typed;
    page->runJavaScript(QStringLiteral("document.getElementById('box').value"),
                        [&typed](const QVariant &value) { typed = value.toString(); });
    ASSERT_TRUE(spinUntil([&] { return typed.has_value(); }));
    EXPECT_EQ(*typed, "Explain the following context in detail:\n\nint x = 1;");
}

TEST_P(CaptureOnDesktop, TheFocusedElementsSelectionIsReadFromTheAccessibilityBus)
{
    // The primary selection belongs to another application (this test's).
    QGuiApplication::clipboard()->setText(QStringLiteral("another selection"), QClipboard::Selection);
    SelectionWindow helper({QStringLiteral("--selected"), QStringLiteral("accessible words"), QStringLiteral("--class"),
                            helperClass},
                           true);
    ASSERT_TRUE(helper.becomesReady()) << helper.output().toStdString();

    xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
    const auto context = stagedContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "accessible words");
    EXPECT_EQ(context->appName, "Selection Helper");
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_FALSE(helper.output().contains(QLatin1String("key: Ctrl+C"))) << "read without a copy";
}

TEST_P(CaptureOnDesktop, AnApplicationThatOnlyCopiesOnCtrlCGetsItOnceAltIsReleased)
{
    SelectionWindow helper({QStringLiteral("--copies"), QStringLiteral("copied words"), QStringLiteral("Ctrl+C"),
                            QStringLiteral("--class"), helperClass});
    ASSERT_TRUE(helper.becomesReady()) << helper.output().toStdString();
    // The user lets go of Alt a moment after pressing A.
    typeMeanwhile({QStringLiteral("keydown"), QStringLiteral("alt"), QStringLiteral("key"), QStringLiteral("a"),
                   QStringLiteral("sleep"), QStringLiteral("0.15"), QStringLiteral("keyup"), QStringLiteral("alt")});
    const auto context = stagedContext();
    ASSERT_TRUE(context) << helper.output().toStdString();
    EXPECT_EQ(context->text, "copied words");
    EXPECT_EQ(context->appName, "Selection Helper");
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_TRUE(helper.output().contains(QLatin1String("key: Ctrl+C\n"))) << helper.output().toStdString();
    EXPECT_FALSE(helper.output().contains(QLatin1String("Alt+C"))) << helper.output().toStdString();
}

TEST_P(CaptureOnDesktop, ATerminalIsNeverSentCtrlCButItsOwnCopyKey)
{
    SelectionWindow terminal({QStringLiteral("--copies"), QStringLiteral("ls -l output"), QStringLiteral("Ctrl+Shift+C"),
                              QStringLiteral("--class"), QStringLiteral("Gnome-terminal")});
    ASSERT_TRUE(terminal.becomesReady()) << terminal.output().toStdString();
    xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
    const auto context = stagedContext();
    ASSERT_TRUE(context) << terminal.output().toStdString();
    EXPECT_EQ(context->text, "ls -l output") << terminal.output().toStdString();
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_TRUE(terminal.output().contains(QLatin1String("key: Ctrl+Shift+C\n")));
    EXPECT_FALSE(terminal.output().contains(QLatin1String("key: Ctrl+C\n"))) << "Ctrl+C would interrupt its program";
}

TEST_P(CaptureOnDesktop, AWindowWhoseProgramRunsATerminalGetsNoKeysWhateverItsClass)
{
    SelectionWindow terminal({QStringLiteral("--copies"), QStringLiteral("ls -l output"), QStringLiteral("Ctrl+C"),
                              QStringLiteral("--terminal"), QStringLiteral("--class"), QStringLiteral("Roxterm")});
    ASSERT_TRUE(terminal.becomesReady()) << terminal.output().toStdString();
    xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
    const auto context = stagedContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "older clipboard");
    EXPECT_TRUE(context->isFromClipboard);
    EXPECT_FALSE(terminal.output().contains(QLatin1String("key: Ctrl+"))) << terminal.output().toStdString();
}

// With the focus on the root window the keyboard goes to whatever is under
// the pointer; without a window manager no application is then in front.
// (Openbox gives the focus back to its active window.)
TEST_P(CaptureOnDesktop, NoCopyKeyReachesATerminalThatHasTheKeyboardThroughThePointer)
{
    SelectionWindow terminal({QStringLiteral("--copies"), QStringLiteral("ls -l output"), QStringLiteral("Ctrl+C"),
                              QStringLiteral("--class"), QStringLiteral("XTerm"), QStringLiteral("--at"),
                              QStringLiteral("100,400")});
    ASSERT_TRUE(terminal.becomesReady()) << terminal.output().toStdString();
    SelectionWindow front({QStringLiteral("--copies"), QStringLiteral("copied words"), QStringLiteral("Ctrl+C"),
                           QStringLiteral("--class"), helperClass});
    ASSERT_TRUE(front.becomesReady()) << front.output().toStdString();
    movePointer(300, 460);
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_TRUE(x11);
    xcb_set_input_focus(x11->connection(), XCB_INPUT_FOCUS_POINTER_ROOT, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME);
    xcb_flush(x11->connection());

    xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
    ASSERT_TRUE(stagedContext());
    EXPECT_FALSE(terminal.output().contains(QLatin1String("key: Ctrl+C"))) << terminal.output().toStdString();
}

TEST_P(CaptureOnDesktop, AnOlderSelectionOfAnotherApplicationIsNotTaken)
{
    SelectionWindow earlier({QStringLiteral("--field"), QStringLiteral("stale words")});
    ASSERT_TRUE(earlier.becomesReady());
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    ASSERT_TRUE(spinUntil(
        [] { return QGuiApplication::clipboard()->text(QClipboard::Selection) == QLatin1String("stale words"); }));

    SelectionWindow front({QStringLiteral("--copies"), QStringLiteral("fresh words"), QStringLiteral("Ctrl+C"),
                           QStringLiteral("--class"), helperClass});
    ASSERT_TRUE(front.becomesReady());
    xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
    const auto context = stagedContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "fresh words");
    EXPECT_EQ(context->appName, "Selection Helper");
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, CaptureOnDesktop, ::testing::Values(WindowManager::None, WindowManager::Openbox),
                         [](const auto &info) {
                             return std::string(info.param == WindowManager::None ? "bare_x_server" : "openbox");
                         });

} // namespace
