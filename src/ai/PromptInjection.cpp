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

// Chat pages carry decoys: hidden captcha answers, honeypot fields off the
// screen, a search box at the top, wrappers named "prompt". The chat box is
// the usable text field or editor nearest the bottom of the window, unless
// the user has already put the caret into one.
//
// Chat pages built on script frameworks keep their own copy of the input's
// text and ignore a plain `value` write, and rich-text editors rebuild their
// content from their own model. So the text arrives the way typing would:
// through the prototype's native value setter plus bubbling input/change
// events, or through the editor's own insertText command. A draft already in
// the box stays, after the prompt. Nothing counts as placed until the box
// reads back with the prompt in it.
constexpr auto scriptTemplate = R"JS((function () {
  const prompt = %1;
  // Screen-reader-only fields are clipped to a pixel or so.
  const smallestSide = 4;
  const isTextField = (element) => element instanceof HTMLTextAreaElement
      || (element instanceof HTMLInputElement && (element.type === 'text' || element.type === 'search'));
  const isEditorRoot = (element) => element.isContentEditable
      && !(element.parentElement && element.parentElement.isContentEditable);
  const isShown = (element) => {
    const box = element.getBoundingClientRect();
    if (box.width < smallestSide || box.height < smallestSide || box.right <= 0 || box.left >= window.innerWidth)
      return false;
    if (getComputedStyle(element).visibility !== 'visible')
      return false;
    for (let node = element; node; node = node.parentElement) {
      if (getComputedStyle(node).opacity === '0')
        return false;
    }
    return true;
  };
  const isUsable = (element) => (isTextField(element) ? !element.matches(':disabled') && !element.readOnly
                                                     : isEditorRoot(element)) && isShown(element);
  let focused = document.activeElement;
  while (focused && focused.isContentEditable && !isEditorRoot(focused))
    focused = focused.parentElement;
  const rank = (element) => element === focused ? -1
                                                : Math.abs(window.innerHeight - element.getBoundingClientRect().bottom);
  const candidates = Array.from(document.querySelectorAll('textarea, input, [contenteditable]')).filter(isUsable);
  candidates.sort((a, b) => rank(a) - rank(b));
  // Only an element that really takes the focus can take typing.
  const box = candidates.find((element) => { element.focus(); return document.activeElement === element; });
  if (!box)
    return false;
  if (isTextField(box)) {
    // A one-line field would drop the line breaks and glue the lines together.
    const text = box instanceof HTMLInputElement ? prompt.replace(/\n+/g, ' ') : prompt;
    const draft = box.value.trim() ? (box instanceof HTMLInputElement ? ' ' : '\n\n') + box.value : '';
    const prototype = box instanceof HTMLTextAreaElement ? HTMLTextAreaElement.prototype : HTMLInputElement.prototype;
    Object.getOwnPropertyDescriptor(prototype, 'value').set.call(box, text + draft);
    box.dispatchEvent(new Event('input', { bubbles: true }));
    box.dispatchEvent(new Event('change', { bubbles: true }));
    return box.value.startsWith(text);
  }
  // Paragraphs read back with extra line breaks between them.
  const squeezed = (text) => text.replace(/\s+/g, ' ').trim();
  const hasDraft = squeezed(box.innerText) !== '';
  const start = document.createRange();
  start.selectNodeContents(box);
  start.collapse(true);
  const selection = window.getSelection();
  selection.removeAllRanges();
  selection.addRange(start);
  document.execCommand('insertText', false, hasDraft ? prompt + '\n\n' : prompt);
  return squeezed(box.innerText).startsWith(squeezed(prompt));
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
