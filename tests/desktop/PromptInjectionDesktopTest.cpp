// The prompt's script in the real web engine, against pages this test serves
// on 127.0.0.1.
#include "EventLoopWait.h"
#include "LocalHttpServer.h"
#include "ai/PromptSender.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtWebPage.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Any submission of the chat box is recorded: a form submit or an Enter key.
constexpr auto submitWatch = R"(<script>
window.submitted = false;
document.addEventListener('submit', (e) => { e.preventDefault(); window.submitted = true; }, true);
document.addEventListener('keydown', (e) => { if (e.key === 'Enter') window.submitted = true; }, true);
</script>)";

QByteArray page(const QByteArray &body)
{
    return "<!doctype html><html><head><title>Chat</title></head><body><form>" + body + "</form>" + submitWatch
        + "</body></html>";
}

// Like the chat pages of script frameworks: the framework records every write
// to the input's `value` and ignores an input event that reports a value it
// wrote itself; its own copy of the text is put back on every render.
constexpr auto frameworkInput = R"(<textarea id="box"></textarea><script>
const box = document.getElementById('box');
const native = Object.getOwnPropertyDescriptor(HTMLTextAreaElement.prototype, 'value');
let written = '';
window.frameworkText = '';
Object.defineProperty(box, 'value', {
  get() { return native.get.call(this); },
  set(v) { written = v; native.set.call(this, v); } });
box.addEventListener('input', () => {
  if (box.value !== written) { written = box.value; window.frameworkText = box.value; }
});
setInterval(() => native.set.call(box, window.frameworkText), 30);
</script>)";

class PromptInjectionPages : public ::testing::Test
{
protected:
    PromptInjectionPages()
    {
        server.setReply(QStringLiteral("/textarea"), {200, page("<textarea id='box'></textarea>"), "text/html", {}, 0});
        server.setReply(QStringLiteral("/editable"), {200, page("<div id='box' contenteditable='true'></div>"), "text/html", {}, 0});
        server.setReply(QStringLiteral("/framework"), {200, page(frameworkInput), "text/html", {}, 0});
        server.setReply(QStringLiteral("/slow"), {200, page("<textarea id='box'></textarea>"), "text/html", {}, 1500});
        server.setReply(QStringLiteral("/plain"), {200, page("<p>No input here</p>"), "text/html", {}, 0});
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
    // The editor keeps paragraphs as blocks, whose text reads back with an
    // extra line break between them.
    const auto paragraphs = [](QString text) { return text.replace(QStringLiteral("\n\n\n"), QStringLiteral("\n\n")); };
    EXPECT_EQ(paragraphs(evaluate(QStringLiteral("document.getElementById('box').innerText")).toString()), typed);
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

TEST_F(PromptInjectionPages, APageWithoutAnInputReportsNothingPlaced)
{
    open(QStringLiteral("/plain"));
    EXPECT_EQ(send(prompt), false);
}

} // namespace
