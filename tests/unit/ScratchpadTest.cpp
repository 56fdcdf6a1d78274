// The scratchpad: answering at "=", styling, counting, copying, keeping the
// note; the editor is the real widget, on the offscreen platform.
#include "FakePanelWorld.h"
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"
#include "scratchpad/AnswerColumn.h"
#include "scratchpad/AnswerColumnView.h"
#include "scratchpad/EqualsEvaluation.h"
#include "scratchpad/LiveNoteEditor.h"
#include "scratchpad/NoteStyling.h"
#include "scratchpad/SampleNote.h"
#include "scratchpad/ScratchpadNote.h"
#include "scratchpad/ScratchpadSummary.h"
#include "scratchpad/ScratchpadView.h"
#include "ui/ScreenHeaderView.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolTextButton.h"
#include "ui/WindowDragArea.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

void PrintTo(const AnswerColumn::Answer &answer, std::ostream *out)
{
    *out << answer.accessibleText().toStdString() << " @" << answer.writtenStart;
}

namespace {

using NoteStyling::Range;
using NoteStyling::Role;

class Scratchpad : public FakePanelWorld
{
protected:
    const QString key = ScratchpadNote::storageKey;
    MemoryKeyValueStore rateStore;
    CurrencyEngine currency{rateStore};
    InlineMathParser parser{currency};
};

// The editor alone, with the text typed so far and the cursor at its end.
class ScratchpadEditor : public Scratchpad
{
protected:
    ScratchpadEditor()
    {
        editor.resize(400, 300);
        editor.show();
    }
    void startWith(const QString &text)
    {
        editor.setNote(text);
        editor.moveCursor(QTextCursor::End);
    }

    AnswerColumn answers{parser};
    LiveNoteEditor editor{state->settings(), parser, answers, fakes.clock};
};

struct EqualsRow
{
    const char *name;
    QString note;
    qsizetype cursor; // -1: at the end
    std::optional<QString> inserted;
};

TEST_F(Scratchpad, TypingEqualsAnswersTheTextBeforeTheCursor)
{
    const QList<EqualsRow> rows = {
        {"at the end of a line", "2+2=", -1, " 4"},
        {"the user's spacing is kept", "2+2 =", -1, " 4"},
        {"an assignment defines its variable", "team_lunch = 4 * 25 =", -1, " 100"},
        {"Return on a line ending in = without answer", "tools = 20 + 12 + 8 =", -1, " 40"},
        {"= after an answer adds nothing", "2+2 = 4=", -1, std::nullopt},
        {"= as the first character does nothing", "=", 1, std::nullopt},
        {"a variable defined above is known", "price = 5\nprice * 3 =", -1, " 15"},
        {"a variable defined below is not", "price * 3 =\nprice = 5", 11, std::nullopt},
        {"an answered line above defines its variable", "tools = 20 + 12 + 8 = 40\ntools * 2 =", -1, " 80"},
        {"in the middle of a line, what is before the cursor", "12*3= and more", 5, " 36"},
        {"right after a line break nothing", "2+2=\n", -1, std::nullopt},
        {"text that is no calculation", "Hello =", -1, std::nullopt},
        {"a checklist line", "- [ ] 5*5 =", -1, " 25"},
        {"a currency sum", "$100 + \u20AC50 =", -1, " $154.35"},
    };
    for (const EqualsRow &row : rows) {
        const qsizetype cursor = row.cursor < 0 ? row.note.size() : row.cursor;
        EXPECT_EQ(EqualsEvaluation::insertionAt(row.note, cursor, parser), row.inserted) << row.name;
    }
}

TEST_F(Scratchpad, EachEvaluationStartsWithoutTheVariablesOfTheLastOne)
{
    ASSERT_EQ(EqualsEvaluation::insertionAt(QStringLiteral("x = 2\nx * 3 ="), 13, parser), QStringLiteral(" 6"));
    EXPECT_EQ(EqualsEvaluation::insertionAt(QStringLiteral("x * 3 ="), 7, parser), std::nullopt);
}

TEST_F(ScratchpadEditor, TypingEqualsWritesTheAnswerInAndCtrlZTakesItBack)
{
    QSignalSpy edited(&editor, &LiveNoteEditor::noteEdited);
    QTest::keyClicks(&editor, QStringLiteral("2+2="));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("2+2= 4"));
    EXPECT_EQ(editor.textCursor().position(), 6) << "the cursor follows the answer";
    EXPECT_EQ(edited.count(), 5) << "four keys, and the answer once";

    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("2+2=")) << "the answer is its own undo step";
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.toPlainText(), QString());
}

TEST_F(ScratchpadEditor, ReturnAnswersAnUnansweredLineBeforeBreakingIt)
{
    startWith(QStringLiteral("tools = 20 + 12 + 8 ="));
    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("tools = 20 + 12 + 8 = 40\n"));

    startWith(QStringLiteral("tools = 20 + 12 + 8 = 40"));
    QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("tools = 20 + 12 + 8 = 40\n"))
        << "an answered line gets nothing more, and Shift+Return breaks the line as Return does";
    EXPECT_EQ(editor.document()->blockCount(), 2);

    startWith(QStringLiteral("2+2 = 4"));
    QTest::keyClick(&editor, Qt::Key_Equal);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("2+2 = 4="));
}

struct ColumnRow
{
    const char *name;
    QString note;
    QList<AnswerColumn::Answer> answers;
};

TEST_F(Scratchpad, TheColumnShowsEveryAnswerNotWrittenInAndMarksWrittenOnesThatAreStale)
{
    const QString budget = QStringLiteral("rent = 1250\nfood = 405\nrent + food = 1655");
    const QList<ColumnRow> rows = {
        {"a calculation answers without =", "2+3*4", {{0, "14", "", 0}}},
        {"prose, headings and a line waiting for = show nothing", "# Plan\nMeeting at 3 pm\nsqrt(16)", {}},
        {"an assignment shows its value", "rent = 1200", {{0, "1200", "", 0}}},
        {"a current written answer shows no second one", budget, {{0, "1250", "", 0}, {1, "405", "", 0}}},
        {"a changed variable makes the written answers below it stale",
         QString(budget).replace(QStringLiteral("1250"), QStringLiteral("1300")),
         {{0, "1300", "", 0}, {1, "405", "", 0}, {2, "1705", "1655", 14}}},
        {"a written answer needs no spaces and may group its digits", "1000+655=1,655\n2*3=5",
         {{1, "6", "5", 4}}},
        {"a written answer in another currency is stale", "$100 + \u20AC50 = \u20AC154.35\n$100 + \u20AC50 = $154.35",
         {{0, "$154.35", "\u20AC154.35", 13}}},
        {"a checklist line, and a line ending in = without its answer", "- [ ] 5*5 = 24\n2+2 =",
         {{0, "25", "24", 12}, {1, "4", "", 0}}},
        {"the sample's written answers are all current", SampleNote::text(), {}},
    };
    for (const ColumnRow &row : rows) {
        AnswerColumn column(parser);
        column.read(row.note);
        EXPECT_EQ(column.answers(), row.answers) << row.name;
    }
}

TEST_F(Scratchpad, StaleAnswersSayWhatTheyWereAndAreRewrittenFromTheLastLineUp)
{
    AnswerColumn column(parser);
    QSignalSpy changed(&column, &AnswerColumn::changed);
    const QString note = QStringLiteral("a = 2\na * 3 = 5\nb = a + 1 = 2\nprose");
    column.read(note);
    column.read(note);
    EXPECT_EQ(changed.count(), 1) << "the same column is not announced again";
    ASSERT_TRUE(column.answerOn(1));
    EXPECT_EQ(column.answerOn(1)->staleText(), QStringLiteral("Was 5, now 6"));
    EXPECT_EQ(column.answerOn(1)->accessibleText(), QStringLiteral("Line 2: 6, was 5"));
    EXPECT_EQ(column.answerOn(0)->accessibleText(), QStringLiteral("Line 1: 2"));
    EXPECT_EQ(column.answerOn(0)->staleText(), QString());
    EXPECT_EQ(column.answerOn(3), nullptr);
    EXPECT_EQ(column.calculations(), 3);
    EXPECT_EQ(column.rewrites(), (QList<AnswerColumn::Rewrite>{{2, 12, 1, "3"}, {1, 8, 1, "6"}}));
}

TEST_F(Scratchpad, HeadingsAndAnswersAreTheStyledRanges)
{
    const std::pair<const char *, std::optional<Range>> rows[] = {
        {"# Live Notes", Range{0, 12, Role::Heading}},
        {"   ### Indented heading", Range{0, 23, Role::Heading}},
        {"Item #2 is done", std::nullopt},
        {"2+2 = 4", Range{5, 2, Role::Answer}},
        {"flight = $450 in EUR = \u20AC414.00", Range{22, 8, Role::Answer}},
        {"client_budget = 1000 USD to INR = \u20B98,350.00", Range{33, 10, Role::Answer}},
        {"rate = 12.5%", Range{6, 6, Role::Answer}},
        {"apples = 4 apples", std::nullopt},
        {"total =", std::nullopt},
        {"- [ ] Send proposal", std::nullopt},
    };
    for (const auto &[line, range] : rows)
        EXPECT_EQ(NoteStyling::styledRange(QString::fromUtf8(line)), range) << line;
}

// The colour and weight the editor gives a line's characters from `start`.
QTextCharFormat formatAt(const QPlainTextEdit &editor, int line, int start)
{
    const QTextBlock block = editor.document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.start <= start && start < range.start + range.length)
            return range.format;
    }
    return {};
}

TEST_F(ScratchpadEditor, TheEditorColoursByThemeAndATypedAnswerIsAnAnswer)
{
    startWith(QStringLiteral("# Budget\nrent = 1200\n2+2"));
    QTest::keyClicks(&editor, QStringLiteral(" ="));
    EXPECT_FALSE(formatAt(editor, 0, 0).hasProperty(QTextFormat::ForegroundBrush)) << "a heading is in the text colour";
    EXPECT_EQ(formatAt(editor, 0, 0).fontWeight(), QFont::DemiBold);
    EXPECT_FALSE(formatAt(editor, 1, 0).hasProperty(QTextFormat::ForegroundBrush)) << "plain text keeps the base colour";
    const QTextCharFormat answer = formatAt(editor, 2, 6);
    EXPECT_EQ(answer.foreground().color(), QColor(60, 78, 244));
    EXPECT_EQ(answer.fontWeight(), QFont::DemiBold);
    EXPECT_EQ(editor.palette().color(QPalette::Text), QColor(26, 29, 32));

    const QString before = editor.toPlainText();
    state->settings().set(&Settings::currentTheme, AppThemeMode::Midnight);
    EXPECT_EQ(formatAt(editor, 2, 6).foreground().color(), QColor(165, 180, 252));
    EXPECT_EQ(editor.palette().color(QPalette::Text), QColor(215, 222, 236));
    EXPECT_EQ(editor.palette().color(QPalette::Highlight), QColor(124, 92, 245, 89));
    EXPECT_EQ(editor.toPlainText(), before) << "a theme change changes no text";
}

TEST_F(Scratchpad, TheFooterCountsTheSampleAsOrvaneCalcDoes)
{
    AnswerColumn column(parser);
    const auto countsOf = [&](const QString &note) {
        column.read(note);
        return ScratchpadSummary::counts(note, column);
    };
    const ScratchpadSummary::Counts sample = countsOf(SampleNote::text());
    EXPECT_EQ(sample.lines, 19);
    EXPECT_EQ(sample.words, 95);
    EXPECT_EQ(sample.calculations, 8) << "its eight answered lines count";
    EXPECT_EQ(ScratchpadSummary::footerText(sample), QStringLiteral("19 lines  \u00B7  95 words  \u00B7  8 live calculations"));
    EXPECT_EQ(countsOf(QString()), (ScratchpadSummary::Counts{1, 0, 0}));
    EXPECT_EQ(countsOf(QStringLiteral("a b\n\nc")), (ScratchpadSummary::Counts{3, 3, 0}));
    EXPECT_EQ(countsOf(QStringLiteral("a\r\nb\u2028c")), (ScratchpadSummary::Counts{4, 3, 0})) << "every line break counts";
}

TEST_F(Scratchpad, CopyResultsIsOneLinePerAnswerAndNothingWithoutAnswers)
{
    EXPECT_EQ(ScratchpadSummary::resultsText(QStringLiteral("# Plan\n2+2 =\nprose\nrent = 1200\nrent * 12 ="), parser),
              QStringLiteral("2+2 = 4\nrent = 1200 = 1200\nrent * 12 = 14400"));
    EXPECT_EQ(ScratchpadSummary::resultsText(QStringLiteral("# Plan\nprose only"), parser), std::nullopt);
}

TEST_F(Scratchpad, AMissingOrEmptyNoteStartsAsTheSampleAndAnyOtherIsKept)
{
    EXPECT_EQ(ScratchpadNote(fakes.store, fakes.clock).text(), SampleNote::text()) << "missing";
    fakes.store.setString(key, QString());
    EXPECT_EQ(ScratchpadNote(fakes.store, fakes.clock).text(), SampleNote::text()) << "empty";
    fakes.store.setString(key, QStringLiteral("mine"));
    EXPECT_EQ(ScratchpadNote(fakes.store, fakes.clock).text(), QStringLiteral("mine"));
}

TEST_F(Scratchpad, TypingIsWrittenWithinAQuarterSecondOnceForABurst)
{
    fakes.store.writes.clear();
    {
        ScratchpadNote note(fakes.store, fakes.clock);
        note.setText(QStringLiteral("a"));
        fakes.clock.advance(0.1);
        note.setText(QStringLiteral("ab"));
        fakes.clock.advance(0.1);
        note.setText(QStringLiteral("abc"));
        EXPECT_TRUE(fakes.store.writes.isEmpty());
        fakes.clock.advance(0.05);
        EXPECT_EQ(fakes.store.writes, QStringList({key})) << "one write for the burst";
        EXPECT_EQ(fakes.store.stringValue(key), QStringLiteral("abc"));

        note.setText(QStringLiteral("abcd"));
        fakes.clock.advance(0.1);
        note.setText(QString());
        EXPECT_EQ(fakes.store.writes.size(), 1);
    }
    EXPECT_EQ(fakes.store.writes.size(), 2) << "what is pending is written when the note goes";
    EXPECT_EQ(fakes.store.stringValue(key), QString()) << "an empty note is kept empty";
}

class ScratchpadScreen : public Scratchpad
{
protected:
    ScratchpadScreen()
    {
        fakes.store.setString(key, QStringLiteral("2+2 =\nrent = 1200"));
        view = std::make_unique<ScratchpadView>(*state, *panel, currency, fakes.store, fakes.clock);
        view->resize(440, 700);
        view->show();
    }
    template<typename Button>
    Button *button(const QString &name) const
    {
        for (Button *candidate : view->findChildren<Button *>()) {
            if (candidate->accessibleName() == name)
                return candidate;
        }
        ADD_FAILURE() << "no button " << name.toStdString();
        return nullptr;
    }

    std::unique_ptr<ScratchpadView> view;
};

TEST_F(ScratchpadScreen, CopyResultsFillsTheClipboardAndSaysCopiedForOnePointTwoSeconds)
{
    auto *copy = button<SymbolTextButton>(QStringLiteral("Copy all calculated equation results to clipboard"));
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2+2 = 4\nrent = 1200 = 1200"));
    EXPECT_EQ(copy->text(), QStringLiteral("Copied!"));
    fakes.clock.advance(1.1);
    EXPECT_EQ(copy->text(), QStringLiteral("Copied!"));
    fakes.clock.advance(0.1);
    EXPECT_EQ(copy->text(), QStringLiteral("Copy Results"));

    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    view->editor().setNote(QStringLiteral("no answers here"));
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    EXPECT_EQ(copy->text(), QStringLiteral("Copy Results")) << "nothing copied, no feedback";
}

TEST_F(ScratchpadScreen, TheHeaderFitsTheNarrowestPanelWithTheBadgeGivingWay)
{
    QLabel *badge = nullptr;
    for (QLabel *label : view->findChildren<QLabel *>()) {
        if (label->text() == QLatin1String("Live Math & Currency"))
            badge = label;
    }
    ASSERT_TRUE(badge);
    QCoreApplication::processEvents();
    EXPECT_TRUE(badge->isVisible()) << "room enough at 440";

    // The narrowest panel less its rail.
    const int narrowest = 248;
    EXPECT_LE(view->findChild<ScreenHeaderView *>()->minimumSizeHint().width(), narrowest);
    view->resize(narrowest, 700);
    QCoreApplication::processEvents();
    EXPECT_FALSE(badge->isVisible());
}

TEST_F(ScratchpadScreen, ResetBringsTheSampleBackWritesItAtOnceAndCanBeUndone)
{
    fakes.store.writes.clear();
    button<SymbolButton>(QStringLiteral("Reset to sample live calculations template"))->click();
    EXPECT_EQ(view->editor().toPlainText(), SampleNote::text());
    EXPECT_EQ(fakes.store.stringValue(key), SampleNote::text());
    EXPECT_EQ(fakes.store.writes, QStringList({key}));

    view->editor().undo();
    EXPECT_EQ(view->editor().toPlainText(), QStringLiteral("2+2 =\nrent = 1200"));
    fakes.clock.advance(ScratchpadNote::saveDelay);
    EXPECT_EQ(fakes.store.stringValue(key), QStringLiteral("2+2 =\nrent = 1200"));
}

TEST_F(ScratchpadScreen, TheFooterFollowsTheNoteWithinAFrame)
{
    EXPECT_EQ(view->footerText(), QStringLiteral("2 lines  \u00B7  5 words  \u00B7  2 live calculations"));
    view->editor().moveCursor(QTextCursor::End);
    QTest::keyClick(&view->editor(), Qt::Key_Return);
    QTest::keyClicks(&view->editor(), QStringLiteral("rent * 12 ="));
    EXPECT_TRUE(QTest::qWaitFor([this] { return view->footerText().startsWith(QLatin1String("3 lines")); }, 1000));
    EXPECT_EQ(view->footerText(), QStringLiteral("3 lines  \u00B7  10 words  \u00B7  3 live calculations"));
    fakes.clock.advance(ScratchpadNote::saveDelay);
    EXPECT_EQ(fakes.store.stringValue(key), QStringLiteral("2+2 =\nrent = 1200\nrent * 12 = 14400"));
}

TEST_F(ScratchpadScreen, ClickingAnAnswerCopiesItAndClickingAStaleOneWritesTheNewOneInAsAnEdit)
{
    LiveNoteEditor &editor = view->editor();
    editor.setNote(QStringLiteral("a = 2\na * 3 = 5\nprose"));
    AnswerColumnView &column = editor.answerColumn();
    ASSERT_TRUE(column.isVisible());
    ASSERT_FALSE(column.answerRect(0).isEmpty());
    QTest::mouseClick(&column, Qt::LeftButton, {}, column.answerRect(0).center());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a = 2\na * 3 = 5\nprose")) << "copying changes no text";

    QTest::mouseClick(&column, Qt::LeftButton, {}, column.answerRect(1).center());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a = 2\na * 3 = 6\nprose"));
    EXPECT_FALSE(view->answers().answerOn(1)) << "current now: nothing more in the column";
    editor.undo();
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a = 2\na * 3 = 5\nprose"));
    EXPECT_EQ(view->answers().answerOn(1)->staleText(), QStringLiteral("Was 5, now 6"));

    // The tint follows the view: a stale answer far down is marked once scrolled to.
    editor.setNote(QStringLiteral("a = 2\n") + QStringLiteral("prose\n").repeated(300) + QStringLiteral("a * 3 = 5"));
    const auto tinted = [&] {
        const QList<QTextEdit::ExtraSelection> marks = editor.extraSelections();
        return std::any_of(marks.cbegin(), marks.cend(), [](const auto &mark) { return mark.cursor.selectedText() == QStringLiteral("5"); });
    };
    EXPECT_FALSE(tinted()) << "out of view";
    editor.verticalScrollBar()->setValue(editor.verticalScrollBar()->maximum());
    EXPECT_TRUE(tinted()) << "scrolled into view";
}

TEST_F(ScratchpadScreen, TheHeaderIsTheDragHandleAndADoubleClickAsksToSwitchTheHeight)
{
    auto *header = view->findChild<WindowDragArea *>();
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->property(WindowDragArea::gripProperty).toBool());
    QSignalSpy toggles(header, &WindowDragArea::heightToggleRequested);
    QTest::mouseDClick(header, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(toggles.count(), 1);
}

} // namespace
