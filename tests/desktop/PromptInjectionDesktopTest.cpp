// The prompt's script in the real web engine, against pages this test serves
// on 127.0.0.1.
#include "EventLoopWait.h"
#include "LocalHttpServer.h"
#include "MessyPages.h"
#include "ai/PromptSender.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtWebPage.h"

#include <QRegularExpression>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

using MessyPages::chatPage;
using MessyPages::frameworkInput;

class PromptInjectionPages : public ::testing::Test
{
protected:
    PromptInjectionPages()
    {
        server.setReply(QStringLiteral("/textarea"), {200, chatPage("<textarea id='box'></textarea>"), "text/html", {}, 0});
        server.setReply(QStringLiteral("/editable"), {200, chatPage("<div id='box' contenteditable='true'></div>"), "text/html", {}, 0});
        server.setReply(QStringLiteral("/framework"), {200, chatPage(frameworkInput), "text/html", {}, 0});
        server.setReply(QStringLiteral("/slow"), {200, chatPage("<textarea id='box'></textarea>"), "text/html", {}, 1500});
        server.setReply(QStringLiteral("/plain"), {200, chatPage("<p>No input here</p><textarea style='display:none'></textarea>"), "text/html", {}, 0});
        // Like a framework that puts its own state back on every input event.
        server.setReply(QStringLiteral("/dropping"), {200, chatPage(R"(<textarea id="box"></textarea><script>
document.getElementById('box').addEventListener('input', (e) => { e.target.value = ''; });
</script>)"), "text/html", {}, 0});
        webPage.view()->resize(600, 400);
        webPage.view()->show();
    }

    void open(const QString &path, bool waitForLoad = true)
    {
        webPage.load(server.address().resolved(QUrl(path)));
        if (waitForLoad) {
            ASSERT_TRUE(spinUntil([&] { return !webPage.isLoading(); }));
        }
    }

    // The value of the expression in the page.
    QVariant evaluate(const QString &expression)
    {
        std::optional<QVariant> value;
        webPage.runJavaScript(expression, [&value](const QVariant &result) { value = result; });
        EXPECT_TRUE(spinUntil([&] { return value.has_value(); }));
        return value.value_or(QVariant());
    }

    std::optional<bool> send(const QString &prompt)
    {
        std::optional<bool> placed;
        sender.send([this] { return &webPage; }, prompt, [&placed](bool p) { placed = p; });
        EXPECT_TRUE(spinUntil([&] { return placed.has_value(); }, 20000));
        return placed;
    }

    // The chat box's text as the page reads it; an editor keeps paragraphs as
    // blocks, whose text reads back with an extra line break between them.
    QString boxText()
    {
        return evaluate(QStringLiteral("(b => 'value' in b ? b.value : b.innerText)(document.getElementById('box'))"))
            .toString()
            .replace(QStringLiteral("\n\n\n"), QStringLiteral("\n\n"));
    }

    QtClock clock;
    LocalHttpServer server;
    QtWebPage webPage{UserAgentMode::Desktop};
    PromptSender sender{clock};
    const QString prompt = QStringLiteral("Explain the following context in detail:\n\nint main() { return \"x\\n\"; }\r\nit's");
    const QString typed = QStringLiteral("Explain the following context in detail:\n\nint main() { return \"x\\n\"; }\nit's");
};

TEST_F(PromptInjectionPages, ATextAreaGetsThePromptUnsubmitted)
{
    open(QStringLiteral("/textarea"));
    EXPECT_EQ(send(prompt), true);
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('box').value")).toString(), typed);
    EXPECT_EQ(evaluate(QStringLiteral("document.activeElement.id")).toString(), QStringLiteral("box"));
    EXPECT_EQ(evaluate(QStringLiteral("window.submitted")).toBool(), false);
}

TEST_F(PromptInjectionPages, AnEditableElementGetsThePromptThroughTheEditor)
{
    open(QStringLiteral("/editable"));
    EXPECT_EQ(send(prompt), true);
    EXPECT_EQ(boxText(), typed);
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('box').querySelectorAll('*').length > 0")).toBool(), true)
        << "typed through the editor: its line breaks are elements, not innerText's text";
    EXPECT_EQ(evaluate(QStringLiteral("window.submitted")).toBool(), false);
}

TEST_F(PromptInjectionPages, AnInputOwnedByScriptKeepsThePromptAcrossRenders)
{
    open(QStringLiteral("/framework"));
    EXPECT_EQ(send(prompt), true);
    spinFor(200);
    EXPECT_EQ(evaluate(QStringLiteral("window.frameworkText")).toString(), typed);
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('box').value")).toString(), typed);
}

TEST_F(PromptInjectionPages, APageStillLoadingGetsThePromptWhenItHasLoaded)
{
    open(QStringLiteral("/slow"), false);
    ASSERT_TRUE(webPage.isLoading());
    EXPECT_EQ(send(prompt), true);
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementById('box').value")).toString(), typed);
}

TEST_F(PromptInjectionPages, EveryCharacterArrivesAsTypedWithoutCarriageReturns)
{
    open(QStringLiteral("/textarea"));
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("say \"hi\""), QStringLiteral("say \"hi\"")},
        {QStringLiteral("C:\\path\\n"), QStringLiteral("C:\\path\\n")},
        {QStringLiteral("one\r\ntwo\r"), QStringLiteral("one\ntwo")},
        {QStringLiteral("it's\tfine"), QStringLiteral("it's\tfine")},
        {QStringLiteral("\"); window.escaped = true; (\""), QStringLiteral("\"); window.escaped = true; (\"")},
        {QStringLiteral("a\u2028b\u2029c"), QStringLiteral("a\u2028b\u2029c")},
    };
    for (const auto &[sent, arrives] : cases) {
        evaluate(QStringLiteral("document.getElementById('box').value = ''"));
        EXPECT_EQ(send(sent), true) << sent.toStdString();
        EXPECT_EQ(boxText(), arrives);
    }
    EXPECT_FALSE(evaluate(QStringLiteral("window.escaped === true")).toBool());
}

// Each page has the chat box (#box) and things that must stay as they were
// (.decoy, #send).
struct DecoyCase
{
    const char *name;
    QByteArray body;
    // Run before the prompt is sent.
    QString setUp;
};

class PromptDecoys : public PromptInjectionPages, public ::testing::WithParamInterface<DecoyCase>
{};

TEST_P(PromptDecoys, OnlyTheChatBoxGetsThePrompt)
{
    server.setReply(QStringLiteral("/decoys"), {200, chatPage(GetParam().body), "text/html", {}, 0});
    open(QStringLiteral("/decoys"));
    if (!GetParam().setUp.isEmpty())
        evaluate(GetParam().setUp);
    const QString others = QStringLiteral(
        "Array.from(document.querySelectorAll('.decoy, #send')).map(e => e.outerHTML + '=' + e.value).join('|')");
    const QString before = evaluate(others).toString();
    ASSERT_FALSE(before.isEmpty());
    EXPECT_EQ(send(prompt), true);
    EXPECT_EQ(boxText(), typed);
    EXPECT_EQ(evaluate(others).toString(), before);
}

INSTANTIATE_TEST_SUITE_P(Pages, PromptDecoys,
    ::testing::Values(
        DecoyCase{"HiddenCaptchaAnswerFirstAndAWrapperNamedPrompt", MessyPages::decoyedChatBox, {}},
        DecoyCase{"HiddenEditorBeforeTheShownOne",
                  "<div class='decoy' contenteditable='true' style='visibility:hidden'>old</div>"
                  "<div id='box' contenteditable='true'></div>", {}},
        DecoyCase{"SearchFieldAtTheTopChatBoxAtTheBottom",
                  "<input class='decoy' type='search'><div style='height:250px'></div><textarea id='box'></textarea>", {}},
        DecoyCase{"DisabledAndOffScreenFieldsNearerTheBottom",
                  "<textarea id='box'></textarea><div style='height:250px'></div><textarea class='decoy' disabled></textarea>"
                  "<textarea class='decoy' style='position:absolute; left:-9999px; bottom:0'></textarea>", {}},
        DecoyCase{"TheFocusedFieldWins",
                  "<textarea id='box'></textarea><div style='height:250px'></div><textarea class='decoy'></textarea>",
                  QStringLiteral("document.getElementById('box').focus()")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PromptInjectionPages, ADraftInTheChatBoxStaysAfterThePrompt)
{
    server.setReply(QStringLiteral("/field"), {200, chatPage("<textarea id='box'>my draft</textarea>"), "text/html", {}, 0});
    open(QStringLiteral("/field"));
    EXPECT_EQ(send(prompt), true);
    EXPECT_EQ(boxText(), typed + QStringLiteral("\n\nmy draft"));

    // The editor makes a paragraph of each line, so only the lines' order is compared.
    server.setReply(QStringLiteral("/editor"),
                    {200, chatPage("<div id='box' contenteditable='true'><p>my draft</p></div>"), "text/html", {}, 0});
    open(QStringLiteral("/editor"));
    EXPECT_EQ(send(prompt), true);
    const QRegularExpression lineBreaks(QStringLiteral("\n+"));
    EXPECT_EQ(boxText().replace(lineBreaks, QStringLiteral("\n")),
              QString(typed + QStringLiteral("\nmy draft")).replace(lineBreaks, QStringLiteral("\n")));
}

TEST_F(PromptInjectionPages, AOneLineFieldGetsThePromptsLinesJoinedBySpaces)
{
    server.setReply(QStringLiteral("/line"), {200, chatPage("<input id='box' type='text'>"), "text/html", {}, 0});
    open(QStringLiteral("/line"));
    EXPECT_EQ(send(prompt), true);
    EXPECT_EQ(boxText(), QString(typed).replace(QRegularExpression(QStringLiteral("\n+")), QStringLiteral(" ")));
}

TEST_F(PromptInjectionPages, APageThatDoesNotKeepThePromptReportsNothingPlaced)
{
    open(QStringLiteral("/plain"));
    EXPECT_EQ(send(prompt), false) << "no shown input";
    open(QStringLiteral("/dropping"));
    EXPECT_EQ(send(prompt), false) << "the input let the text go";
}

} // namespace
