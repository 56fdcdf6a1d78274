// The prompt's script in the real web engine, against pages this test serves
// on 127.0.0.1.
#include "EventLoopWait.h"
#include "LocalHttpServer.h"
#include "MessyPages.h"
#include "OrvaneProcess.h"
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

    QVariant evaluate(const QString &expression) { return valueIn(webPage, expression); }

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

// A page still loading gets it once loaded; a script that owns its input
// keeps it across renders; a one-line field gets the lines joined by spaces;
// a draft stays after it; and no page is submitted.
TEST_F(PromptInjectionPages, EachKindOfChatBoxGetsThePrompt)
{
    server.setReply(QStringLiteral("/line"), {200, chatPage("<input id='box' type='text'>"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/draft"), {200, chatPage("<textarea id='box'>my draft</textarea>"), "text/html", {}, 0});
    const struct
    {
        const char *path;
        QString arrives;
        // Holds in the page once the prompt is there.
        const char *alsoTrue;
    } rows[] = {
        {"/textarea", typed, "document.activeElement.id == 'box'"},
        // Typed through the editor: its line breaks are elements, not innerText's text.
        {"/editable", typed, "document.getElementById('box').querySelectorAll('*').length > 0"},
        {"/framework", typed, "window.frameworkText == document.getElementById('box').value"},
        {"/slow", typed, "true"},
        {"/line", QString(typed).replace(QRegularExpression(QStringLiteral("\n+")), QStringLiteral(" ")), "true"},
        {"/draft", typed + QStringLiteral("\n\nmy draft"), "true"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path);
        const bool slow = qstrcmp(row.path, "/slow") == 0;
        open(QString::fromLatin1(row.path), !slow);
        ASSERT_EQ(webPage.isLoading(), slow);
        EXPECT_EQ(send(prompt), true);
        spinFor(200);
        EXPECT_EQ(boxText(), row.arrives);
        EXPECT_TRUE(evaluate(QString::fromLatin1(row.alsoTrue)).toBool());
        EXPECT_FALSE(evaluate(QStringLiteral("window.submitted === true")).toBool());
    }
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
TEST_F(PromptInjectionPages, OnlyTheChatBoxGetsThePromptWhateverTheDecoys)
{
    const struct
    {
        const char *name;
        QByteArray body;
        // Run before the prompt is sent.
        const char *setUp;
    } rows[] = {
        {"a hidden captcha answer first and a wrapper named prompt", MessyPages::decoyedChatBox, ""},
        {"a hidden editor before the shown one",
         "<div class='decoy' contenteditable='true' style='visibility:hidden'>old</div>"
         "<div id='box' contenteditable='true'></div>", ""},
        {"a search field at the top, the chat box at the bottom",
         "<input class='decoy' type='search'><div style='height:250px'></div><textarea id='box'></textarea>", ""},
        {"disabled and off-screen fields nearer the bottom",
         "<textarea id='box'></textarea><div style='height:250px'></div><textarea class='decoy' disabled></textarea>"
         "<textarea class='decoy' style='position:absolute; left:-9999px; bottom:0'></textarea>", ""},
        {"the focused field wins", "<textarea id='box'></textarea><div style='height:250px'></div><textarea class='decoy'></textarea>",
         "document.getElementById('box').focus()"},
    };
    const QString others = QStringLiteral(
        "Array.from(document.querySelectorAll('.decoy, #send')).map(e => e.outerHTML + '=' + e.value).join('|')");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = QStringLiteral("/decoys%1").arg(&row - rows);
        server.setReply(path, {200, chatPage(row.body), "text/html", {}, 0});
        open(path);
        evaluate(QString::fromLatin1(row.setUp));
        const QString before = evaluate(others).toString();
        ASSERT_FALSE(before.isEmpty());
        EXPECT_EQ(send(prompt), true);
        EXPECT_EQ(boxText(), typed);
        EXPECT_EQ(evaluate(others).toString(), before);
    }
}

// The editor makes a paragraph of each line, so only the lines' order is compared.
TEST_F(PromptInjectionPages, ADraftInAnEditorStaysAfterThePrompt)
{
    server.setReply(QStringLiteral("/editor"),
                    {200, chatPage("<div id='box' contenteditable='true'><p>my draft</p></div>"), "text/html", {}, 0});
    open(QStringLiteral("/editor"));
    EXPECT_EQ(send(prompt), true);
    const QRegularExpression lineBreaks(QStringLiteral("\n+"));
    EXPECT_EQ(boxText().replace(lineBreaks, QStringLiteral("\n")),
              QString(typed + QStringLiteral("\nmy draft")).replace(lineBreaks, QStringLiteral("\n")));
}

TEST_F(PromptInjectionPages, APageThatDoesNotKeepThePromptReportsNothingPlaced)
{
    open(QStringLiteral("/plain"));
    EXPECT_EQ(send(prompt), false) << "no shown input";
    open(QStringLiteral("/dropping"));
    EXPECT_EQ(send(prompt), false) << "the input let the text go";
}

} // namespace
