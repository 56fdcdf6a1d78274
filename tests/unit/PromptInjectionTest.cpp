#include "ai/PromptInjection.h"

#include <QJSEngine>

#include <gtest/gtest.h>

namespace {

// Just enough of a document for the script: elements, events, a selection and
// execCommand. The framework-owned input mimics script frameworks: an own
// `value` property on the element swallows plain writes, so only the
// prototype's setter reaches the real value.
constexpr auto fakeDocument = R"JS(
var log = [];
function Event(type, init) { this.type = type; this.bubbles = !!(init && init.bubbles); }
function Element(tag, attributes) {
  this.tagName = tag.toUpperCase();
  this.attributes = attributes || {};
  this.innerText = '';
  this.realValue = '';
}
Element.prototype.focus = function () { log.push('focus ' + this.tagName.toLowerCase()); };
Element.prototype.dispatchEvent = function (event) {
  log.push(event.type + (event.bubbles ? ' bubbling' : ''));
  if (this.onInput && event.type === 'input') this.onInput();
};
Element.prototype.submit = function () { log.push('submit'); };
function HTMLTextAreaElement() {}
function HTMLInputElement() {}
[HTMLTextAreaElement, HTMLInputElement].forEach(function (type) {
  Object.defineProperty(type.prototype, 'value', {
    get: function () { return this.realValue; },
    set: function (v) { this.realValue = v; log.push('native value'); },
    configurable: true });
});
function makeInput(tag) {
  var element = new Element(tag);
  Object.setPrototypeOf(element, Object.create(tag === 'textarea' ? HTMLTextAreaElement.prototype
                                                                   : HTMLInputElement.prototype));
  Object.assign(Object.getPrototypeOf(element), Element.prototype);
  Object.defineProperty(element, 'value', {
    get: function () { return this.realValue; },
    set: function (v) { log.push('plain value write ignored'); },
    configurable: true });
  return element;
}
var editable = new Element('div', { contenteditable: 'true' });
var selectedNode = null;
var execCommandWorks = true;
var document = {
  found: null,
  querySelector: function (selector) { log.push('selector ' + selector); return this.found; },
  createRange: function () { return { selectNodeContents: function (node) { selectedNode = node; } }; },
  execCommand: function (command, ui, value) {
    if (!execCommandWorks) return false;
    log.push('execCommand ' + command);
    selectedNode.innerText = value;
    return true;
  }
};
var window = { getSelection: function () { return { removeAllRanges: function () {}, addRange: function () {} }; } };
)JS";

struct Page
{
    Page()
    {
        engine.evaluate(QString::fromLatin1(fakeDocument));
    }
    QJSValue run(const QString &prompt)
    {
        const QJSValue result = engine.evaluate(promptInjectionScript(prompt));
        EXPECT_FALSE(result.isError()) << result.toString().toStdString();
        return result;
    }
    QString log() { return engine.evaluate(QStringLiteral("log.join('; ')")).toString(); }
    QString get(const QString &expression) { return engine.evaluate(expression).toString(); }

    QJSEngine engine;
};

struct TextCase
{
    const char *name;
    QString prompt;
    QString arrives;
};

class PromptText : public ::testing::TestWithParam<TextCase>
{};

TEST_P(PromptText, ArrivesExactlyAsTypedWithoutCarriageReturns)
{
    Page page;
    page.engine.evaluate(QStringLiteral("document.found = makeInput('textarea');"));
    EXPECT_TRUE(page.run(GetParam().prompt).toBool());
    EXPECT_EQ(page.get(QStringLiteral("document.found.realValue")), GetParam().arrives);
}

INSTANTIATE_TEST_SUITE_P(Escaping, PromptText,
    ::testing::Values(
        TextCase{"DoubleQuote", QStringLiteral("say \"hi\""), QStringLiteral("say \"hi\"")},
        TextCase{"Backslash", QStringLiteral("C:\\path\\n"), QStringLiteral("C:\\path\\n")},
        TextCase{"LineFeed", QStringLiteral("one\ntwo"), QStringLiteral("one\ntwo")},
        TextCase{"CarriageReturnDropped", QStringLiteral("one\r\ntwo\r"), QStringLiteral("one\ntwo")},
        TextCase{"SingleQuoteAndTab", QStringLiteral("it's\tfine"), QStringLiteral("it's\tfine")},
        TextCase{"ScriptLookalike", QStringLiteral("\"); log.push('escaped'); (\""),
                 QStringLiteral("\"); log.push('escaped'); (\"")},
        TextCase{"LineAndParagraphSeparators", QStringLiteral("a\u2028b\u2029c"), QStringLiteral("a\u2028b\u2029c")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PromptInjection, TextFieldsGetTheNativeSetterAndBubblingEventsAndAreNeverSubmitted)
{
    for (const char *tag : {"textarea", "input"}) {
        Page page;
        page.engine.evaluate(QStringLiteral("document.found = makeInput('%1');").arg(QLatin1String(tag)));
        EXPECT_TRUE(page.run(QStringLiteral("Explain this")).toBool());
        EXPECT_EQ(page.log(),
                  QStringLiteral("selector textarea, [contenteditable=\"true\"], div[id*=\"prompt\"], [data-placeholder]; "
                                 "focus %1; native value; input bubbling; change bubbling")
                      .arg(QLatin1String(tag)))
            << tag;
        EXPECT_EQ(page.get(QStringLiteral("document.found.realValue")), QStringLiteral("Explain this")) << tag;
    }
}

TEST(PromptInjection, EditableElementsInsertThroughTheEditorThenFallBackToInnerText)
{
    Page editor;
    editor.engine.evaluate(QStringLiteral("document.found = editable;"));
    EXPECT_TRUE(editor.run(QStringLiteral("Summarize")).toBool());
    EXPECT_TRUE(editor.log().endsWith(QStringLiteral("focus div; execCommand insertText"))) << editor.log().toStdString();
    EXPECT_EQ(editor.get(QStringLiteral("editable.innerText")), QStringLiteral("Summarize"));

    Page noCommand;
    noCommand.engine.evaluate(QStringLiteral("document.found = editable; execCommandWorks = false;"));
    EXPECT_TRUE(noCommand.run(QStringLiteral("Summarize")).toBool());
    EXPECT_TRUE(noCommand.log().endsWith(QStringLiteral("focus div; input bubbling"))) << noCommand.log().toStdString();
    EXPECT_EQ(noCommand.get(QStringLiteral("editable.innerText")), QStringLiteral("Summarize"));
}

TEST(PromptInjection, APageWithoutAnInputReportsThatNothingWasPlaced)
{
    Page page;
    EXPECT_FALSE(page.run(QStringLiteral("Explain")).toBool());
    EXPECT_FALSE(page.log().contains(QStringLiteral("focus")));
}

} // namespace
