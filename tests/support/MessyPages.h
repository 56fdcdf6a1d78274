#pragma once

#include <QByteArray>

// Chat pages shaped like real sites: one chat box (#box) that a prompt must
// reach, among things it must leave as they were (.decoy, #send).
namespace MessyPages {

// Any submission of the chat box is recorded: a form submit or an Enter key.
inline constexpr const char *submitWatch = R"(<script>
window.submitted = false;
document.addEventListener('submit', (e) => { e.preventDefault(); window.submitted = true; }, true);
document.addEventListener('keydown', (e) => { if (e.key === 'Enter') window.submitted = true; }, true);
</script>)";

// The body inside a form, and the submit watch.
inline QByteArray chatPage(const QByteArray &body)
{
    return "<!doctype html><html><head><title>Chat</title></head><body><form>" + body + "</form>" + submitWatch
        + "</body></html>";
}

// A hidden field before the box (a captcha's answer), and the box inside a
// wrapper named like a prompt, with its send button.
inline const QByteArray decoyedChatBox = "<textarea class='decoy' style='display:none'></textarea><div id='prompt-area'>"
                                         "<textarea id='box'></textarea><button id='send' type='button'>Send</button></div>";

// Like the chat pages of script frameworks: the framework records every write
// to the input's `value` and ignores an input event that reports a value it
// wrote itself; its own copy of the text is put back on every render.
inline constexpr const char *frameworkInput = R"(<textarea id="box"></textarea><script>
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

} // namespace MessyPages
