#include "ai/PromptInjection.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// A JSON string literal is a script string literal, so no character of the
// prompt can end the literal early or be read as script. The line and
// paragraph separators are the exception: JSON leaves them bare, and engines
// older than ES2019 read them as line ends inside the literal.
QString scriptStringLiteral(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2))
        .replace(QChar(0x2028), QLatin1String("\\u2028"))
        .replace(QChar(0x2029), QLatin1String("\\u2029"));
}

// Chat pages built on script frameworks keep their own copy of the input's
// text and ignore a plain `value` write, and rich-text editors rebuild their
// content from their own model. So the text arrives the way typing would:
// through the prototype's native value setter plus bubbling input/change
// events, or through the editor's own insertText command.
constexpr auto scriptTemplate = R"JS((function () {
  const text = %1;
  const input = document.querySelector('textarea, [contenteditable="true"], div[id*="prompt"], [data-placeholder]');
  if (!input)
    return false;
  input.focus();
  const tag = input.tagName.toLowerCase();
  if (tag === 'textarea' || tag === 'input') {
    const prototype = tag === 'textarea' ? HTMLTextAreaElement.prototype : HTMLInputElement.prototype;
    Object.getOwnPropertyDescriptor(prototype, 'value').set.call(input, text);
    input.dispatchEvent(new Event('input', { bubbles: true }));
    input.dispatchEvent(new Event('change', { bubbles: true }));
    return true;
  }
  let inserted = false;
  try {
    const range = document.createRange();
    range.selectNodeContents(input);
    const selection = window.getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
    inserted = document.execCommand('insertText', false, text);
  } catch (error) {
    inserted = false;
  }
  if (!inserted) {
    input.innerText = text;
    input.dispatchEvent(new Event('input', { bubbles: true }));
  }
  return true;
})())JS";

} // namespace

QString promptInjectionScript(const QString &prompt)
{
    QString text = prompt;
    // Carriage returns are dropped so that pasted Windows line ends become
    // single line breaks in the chat input.
    text.remove(QLatin1Char('\r'));
    return QString::fromLatin1(scriptTemplate).arg(scriptStringLiteral(text));
}
