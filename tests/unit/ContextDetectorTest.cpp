#include "FakeCaptureDesktop.h"
#include "FakeClock.h"
#include "TestFiles.h"
#include "ai/ApplicationNames.h"
#include "ai/ContextDetector.h"
#include "ai/CopyChord.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

DesktopApplication application(const QString &className, qint64 pid, bool isThisApplication = false,
                               std::optional<bool> runsTerminal = false)
{
    DesktopApplication app;
    app.instanceName = className.toLower();
    app.className = className;
    app.processId = pid;
    app.isThisApplication = isThisApplication;
    app.runsTerminal = runsTerminal;
    return app;
}

const CopyChord controlC{Qt::Key_C, Qt::ControlModifier};
const CopyChord controlShiftC{Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier};

class Capture : public ::testing::Test
{
protected:
    std::optional<CapturedContext> capture()
    {
        const double start = clock.uptime();
        std::optional<CapturedContext> context = desktop.detector.captureContext();
        waited = clock.uptime() - start;
        return context;
    }

    FakeClock clock;
    FakeCaptureDesktop desktop{clock};
    double waited = 0;
};

TEST_F(Capture, TheFrontApplicationsSelectionIsTakenExactlyAsSelectedWithoutAnyKeys)
{
    desktop.applications.front = application("Gedit", 42);
    desktop.selection.selection = QStringLiteral("  two words \n");
    desktop.pasteboard.content = QStringLiteral("older clipboard");

    const auto context = capture();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "  two words \n") << "not trimmed";
    EXPECT_EQ(context->appName, "Gedit") << "no desktop entry names it: its window class";
    EXPECT_EQ(context->appBundleId, "Gedit");
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_EQ(context->timestamp, clock.now());
    EXPECT_TRUE(desktop.keys.sent.isEmpty());
    EXPECT_EQ(waited, 0);
}

TEST(CaptureReaders, AreAskedInOrderUntilOneHasTextAndAnyReadableOneGrantsTheAccess)
{
    FakeClock clock;
    FakeCaptureDesktop desktop(clock);
    FakeSelectionReader accessibility;
    accessibility.selection = QStringLiteral("  ");
    ContextDetector detector({desktop.applications, {&accessibility, &desktop.selection}, desktop.keys,
                              desktop.pasteboard, clock, desktop.names});
    desktop.applications.front = application("Gedit", 42);
    desktop.selection.selection = QStringLiteral("primary");

    auto context = detector.captureContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "primary");
    accessibility.selection = QStringLiteral("focused element's");
    context = detector.captureContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "focused element's");
    EXPECT_EQ(desktop.selection.askedAbout.size(), 1) << "the second is not asked once the first has text";

    EXPECT_TRUE(detector.hasAccessibilityPermission());
    desktop.selection.readable = false;
    EXPECT_TRUE(detector.hasAccessibilityPermission());
    accessibility.readable = false;
    EXPECT_FALSE(detector.hasAccessibilityPermission());
}

TEST_F(Capture, ABlankSelectionAndNothingCopiedFallToTheClipboardMarkedAsSuchAndBlanksAreNothing)
{
    desktop.applications.front = application("Gedit", 42);
    desktop.selection.selection = QStringLiteral(" \n\t ");
    desktop.pasteboard.content = QStringLiteral(" clipboard text ");

    auto context = capture();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, " clipboard text ");
    EXPECT_EQ(context->appName, "Gedit (Clipboard)");
    EXPECT_EQ(context->appBundleId, "Gedit");
    EXPECT_TRUE(context->isFromClipboard);
    ASSERT_EQ(desktop.keys.sent.size(), 1);
    EXPECT_EQ(desktop.keys.sent.first().modifiers, Qt::ControlModifier);
    EXPECT_LE(waited, ContextDetector::copyWait + ContextDetector::pollInterval);

    desktop.keys.copies = QStringLiteral("  \n");
    EXPECT_FALSE(capture()) << "a blank copy is no selection, and it replaced the clipboard";
    desktop.keys.copies.reset();
    desktop.pasteboard.content.reset();
    EXPECT_FALSE(capture()) << "nothing at all";
}

TEST_F(Capture, ACopyArrivingWithinTheWaitIsTheSelectionAndALaterOrRefusedOneIsNot)
{
    desktop.applications.front = application("Firefox-esr", 7);
    desktop.pasteboard.content = QStringLiteral("older clipboard");
    desktop.keys.copies = QStringLiteral("copied text");
    desktop.keys.copyDelay = 0.05;
    auto context = capture();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "copied text");
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_LT(waited, 0.05 + 2 * ContextDetector::pollInterval) << "taken as soon as it arrives";

    desktop.pasteboard.content = QStringLiteral("older clipboard");
    desktop.keys.copyDelay = 0.3;
    context = capture();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "older clipboard");
    EXPECT_TRUE(context->isFromClipboard);
    EXPECT_LE(waited, ContextDetector::copyWait + ContextDetector::pollInterval);

    desktop.keys.accepts = false;
    context = capture();
    ASSERT_TRUE(context);
    EXPECT_TRUE(context->isFromClipboard);
    EXPECT_EQ(waited, 0) << "keys the desktop refuses are not waited for";
}

TEST_F(Capture, WithOrvaneOrNothingInFrontTheMostRecentlyRaisedOtherApplicationIsTheSourceAndNoKeysAreSent)
{
    desktop.applications.front = application("Orvane", 1, true);
    desktop.applications.regular = {application("Orvane", 1, true), application("Gedit", 42), application("Xfce4-terminal", 43)};
    desktop.pasteboard.content = QStringLiteral("clip");

    auto context = capture();
    EXPECT_EQ(desktop.selection.askedAbout, QStringList{"Gedit"});
    ASSERT_TRUE(context);
    EXPECT_EQ(context->appName, "Gedit (Clipboard)");
    EXPECT_TRUE(desktop.keys.sent.isEmpty()) << "the keys would reach Orvane's own window";

    // The focus follows the pointer onto a third window: a copy there would
    // take that window's selection for Gedit's.
    desktop.applications.keysReachFront = false;
    desktop.applications.receiver = application("Firefox", 44);
    desktop.keys.copies = QStringLiteral("the pointer window's words");
    context = capture();
    EXPECT_TRUE(desktop.keys.sent.isEmpty()) << "no keys while Orvane is in front";
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "clip");
    EXPECT_EQ(context->appName, "Gedit (Clipboard)");

    desktop.applications.regular = {application("Orvane", 1, true)};
    desktop.selection.askedAbout.clear();
    context = capture();
    EXPECT_TRUE(desktop.selection.askedAbout.isEmpty()) << "no source application: nobody to ask";
    ASSERT_TRUE(context);
    EXPECT_EQ(context->appName, "Active App (Clipboard)");
    EXPECT_EQ(context->appBundleId, std::nullopt);

    // No front application at all while the focus follows the pointer onto some window.
    desktop.applications.front.reset();
    desktop.applications.receiver = application("Gedit", 42);
    desktop.selection.selection = QStringLiteral("never asked");
    context = capture();
    EXPECT_TRUE(desktop.selection.askedAbout.isEmpty());
    EXPECT_TRUE(desktop.keys.sent.isEmpty()) << "nobody knows what the keys would do there";
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "clip");
    EXPECT_EQ(context->appName, "Active App (Clipboard)");
}

TEST_F(Capture, TheKeysAreChosenForTheWindowTheyReachAndTerminalsGetTheirOwnCopyKeyOrNone)
{
    desktop.keys.copies = QStringLiteral("copied");
    desktop.pasteboard.content = QStringLiteral("clip");
    desktop.applications.front = application("Gnome-terminal", 9, false, true);
    ASSERT_TRUE(capture());
    ASSERT_EQ(desktop.keys.sent.size(), 1);
    EXPECT_EQ(desktop.keys.sent.first().modifiers, Qt::ControlModifier | Qt::ShiftModifier);

    desktop.applications.front = application("XTerm", 10, false, true);
    auto context = capture();
    EXPECT_EQ(desktop.keys.sent.size(), 1) << "nothing is sent to xterm: its Ctrl+Shift+C is Ctrl+C";
    ASSERT_TRUE(context);
    EXPECT_TRUE(context->isFromClipboard);

    desktop.applications.front = application("Gedit", 42);
    desktop.applications.keysReachFront = false;
    for (const std::optional<DesktopApplication> &receiver :
         {std::optional(application("XTerm", 10, false, true)), std::optional(application("Roxterm", 11, false, true)),
          std::optional(application("Orvane", 1, true)), std::optional<DesktopApplication>()}) {
        desktop.applications.receiver = receiver;
        context = capture();
        EXPECT_EQ(desktop.keys.sent.size(), 1) << "the focus is elsewhere than the front window";
        ASSERT_TRUE(context);
        EXPECT_EQ(context->appName, "Gedit (Clipboard)") << "the front application is still the source";
    }
}

TEST_F(Capture, ASelectionOrClipboardWhoseOwnerNeverAnswersHoldsTheCaptureOnlyForTheReadWait)
{
    desktop.applications.front = application("XTerm", 10, false, true);
    desktop.selection.selection = QStringLiteral("never given");
    desktop.selection.hangs = true;
    desktop.pasteboard.content = QStringLiteral("clip");
    auto context = capture();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "clip");
    EXPECT_GE(waited, ContextDetector::readWait);
    EXPECT_LE(waited, ContextDetector::readWait + ContextDetector::pollInterval);

    desktop.pasteboard.hangs = true;
    EXPECT_FALSE(capture());
    EXPECT_LE(waited, 2 * (ContextDetector::readWait + ContextDetector::pollInterval));

    desktop.applications.front = application("Gedit", 42);
    desktop.keys.copies = QStringLiteral("copied");
    context = capture();
    EXPECT_FALSE(context) << "the copy's text is never given either";
    EXPECT_EQ(desktop.keys.sent.size(), 1);
    EXPECT_LE(waited, 3 * ContextDetector::readWait + ContextDetector::copyWait + 4 * ContextDetector::pollInterval);
}

TEST_F(Capture, TheCopyWaitsForTheHotKeyToBeReleasedButNotForever)
{
    desktop.applications.front = application("Gedit", 42);
    desktop.keys.copies = QStringLiteral("copied");
    desktop.keys.heldUntil = 0.2;
    ASSERT_TRUE(capture());
    ASSERT_EQ(desktop.keys.sent.size(), 1);
    EXPECT_FALSE(desktop.keys.sent.first().whileKeysHeld) << "Alt still down would make it Ctrl+Alt+C";

    desktop.keys.heldUntil = clock.uptime() + 60;
    const auto context = capture();
    ASSERT_EQ(desktop.keys.sent.size(), 2);
    EXPECT_TRUE(desktop.keys.sent.last().whileKeysHeld) << "a stuck key does not stop the capture";
    EXPECT_LE(waited, ContextDetector::keyReleaseWait + ContextDetector::copyWait + 2 * ContextDetector::pollInterval);
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "copied");
}

struct ChordCase
{
    const char *name;
    QString instanceName;
    QString className;
    std::optional<bool> runsTerminal;
    std::optional<CopyChord> chord;
};

class CopyChords : public ::testing::TestWithParam<ChordCase> {};

TEST_P(CopyChords, AreChosenByWindowClassAndProcess)
{
    DesktopApplication window;
    window.instanceName = GetParam().instanceName;
    window.className = GetParam().className;
    window.runsTerminal = GetParam().runsTerminal;
    EXPECT_EQ(copyChordFor(window), GetParam().chord);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, CopyChords,
    ::testing::Values(ChordCase{"editor", "gedit", "Gedit", false, controlC},
                      ChordCase{"no_class", "", "", false, controlC},
                      ChordCase{"gnome_terminal", "gnome-terminal-server", "Gnome-terminal", true, controlShiftC},
                      ChordCase{"konsole", "konsole", "konsole", true, controlShiftC},
                      ChordCase{"any_named_terminal", "my-terminal", "My-terminal", true, controlShiftC},
                      ChordCase{"xterm", "xterm", "XTerm", true, std::nullopt},
                      ChordCase{"terminal_of_another_name", "roxterm", "Roxterm", true, std::nullopt},
                      ChordCase{"editor_whose_process_cannot_be_looked_at", "gedit", "Gedit", std::nullopt, std::nullopt}), rowName);

// ---- Names from desktop entries

TEST(ApplicationNames, AreFoundByWindowClassThenFileNameWithTheUsersOwnEntriesFirstAndNameTheCapturesSource)
{
    QTemporaryDir user;
    QTemporaryDir system;
    ASSERT_TRUE(writeFile(system.filePath("org.gnome.gedit.desktop"),
                          "[Desktop Entry]\nType=Application\nName=Text Editor\nName[zz]=Other\n"));
    ASSERT_TRUE(writeFile(system.filePath("firefox-esr.desktop"),
                          "[Desktop Entry]\nName=Firefox ESR\nStartupWMClass=Firefox-esr\n[Desktop Action new]\nName=New Window\n"));
    ASSERT_TRUE(writeFile(system.filePath("kde/konsole.desktop"), "[Desktop Entry]\nName=System\\sKonsole\n"));
    ASSERT_TRUE(writeFile(user.filePath("konsole.desktop"), "# mine\n[Desktop Entry]\nName=My Konsole\n"));
    ASSERT_TRUE(writeFile(system.filePath("gone.desktop"), "[Desktop Entry]\nName=Gone\nHidden=true\n"));
    ASSERT_TRUE(writeFile(system.filePath("link.desktop"), "[Desktop Entry]\nType=Link\nName=A Link\n"));

    ApplicationNames names({user.path(), system.path()});
    EXPECT_EQ(names.nameFor("Navigator", "Firefox-esr"), "Firefox ESR");
    EXPECT_EQ(names.nameFor("gedit", "Gedit"), "Text Editor") << "the last part of a reverse-domain file name";
    EXPECT_EQ(names.nameFor("konsole", "konsole"), "My Konsole");
    EXPECT_EQ(names.nameFor("gone", "Gone"), std::nullopt);
    EXPECT_EQ(names.nameFor("link", "Link"), std::nullopt);
    EXPECT_EQ(names.nameFor("", ""), std::nullopt);

    ASSERT_TRUE(writeFile(user.filePath("gimp.desktop"), "[Desktop Entry]\nName=GNU Image Manipulation Program\n"));
    EXPECT_EQ(names.nameFor("gimp", "Gimp"), "GNU Image Manipulation Program") << "an application installed since";

    FakeClock clock;
    FakeCaptureDesktop desktop(clock);
    ContextDetector detector({desktop.applications, {&desktop.selection}, desktop.keys, desktop.pasteboard, clock, names});
    desktop.applications.front = application("Gedit", 42);
    desktop.selection.selection = QStringLiteral("x");
    const auto context = detector.captureContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->appName, "Text Editor") << "the capture names its source so";
    EXPECT_EQ(context->appBundleId, "Gedit");
}

} // namespace
