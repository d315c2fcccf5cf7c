// The read-only text field on a real display: its lines, scrolling, selecting with the pointer
// and the keys, copying, and its German context menu.
#include "ui/text_memo.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ui/kit_style.h"

using trimora::ui::TTextMemo;

class TextMemoTest : public QObject {
  Q_OBJECT

  // Forty lines "Zeile 0 = Wert 0" ... with a closing line break.
  static QString Lines() {
    QString text;
    for (int i = 0; i < 40; ++i) text += QStringLiteral("Zeile %1 = Wert %1\n").arg(i);
    return text;
  }
  // A field of 300 x 200 in Tahoma 13 px on the screen, holding `text`.
  static std::unique_ptr<TTextMemo> ShownMemo(const QString& text) {
    auto memo = std::make_unique<TTextMemo>(nullptr);
    memo->setFont(trimora::ui::KitPixelFont(13));
    memo->resize(300, 200);
    memo->show();
    if (!QTest::qWaitForWindowExposed(memo.get())) return nullptr;
    memo->SetText(text);
    return memo;
  }
  // The point of character `column` of line `line` (the first line in view is line 0).
  static QPoint At(TTextMemo& memo, int line, int column) {
    const QString text = memo.Text().split(QLatin1Char('\n')).at(memo.FirstVisibleLine() + line);
    return {2 + memo.fontMetrics().horizontalAdvance(text, column),
            1 + line * memo.LineHeight() + memo.LineHeight() / 2};
  }

 private slots:
  void keepsTheLinesAndShowsTheFirstOneAfterEveryNewText() {
    const std::unique_ptr<TTextMemo> shown = ShownMemo(Lines());
    QVERIFY(shown);
    TTextMemo& memo = *shown;
    QCOMPARE(memo.Text(), Lines().chopped(1));
    const int visible = memo.verticalScrollBar()->pageStep();
    QVERIFY(visible > 3);
    QCOMPARE(memo.verticalScrollBar()->maximum(), 40 - visible);
    QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QTest::keyClick(&memo, Qt::Key_End);
    QCOMPARE(memo.FirstVisibleLine(), 40 - visible);
    QTest::keyClick(&memo, Qt::Key_Home);
    QCOMPARE(memo.FirstVisibleLine(), 0);
    QTest::keyClick(&memo, Qt::Key_PageDown);
    QCOMPARE(memo.FirstVisibleLine(), visible);
    memo.SetText(QStringLiteral("eins\r\nzwei\r\n"));
    QCOMPARE(memo.Text(), QStringLiteral("eins\nzwei"));
    QCOMPARE(memo.FirstVisibleLine(), 0);
    QCOMPARE(memo.verticalScrollBar()->maximum(), 0);
    memo.SetText(QString());
    QCOMPARE(memo.Text(), QString());
    QCOMPARE(memo.SelectedText(), QString());
  }

  void selectsWithThePointerAndCopies() {
    const std::unique_ptr<TTextMemo> shown = ShownMemo(Lines());
    QVERIFY(shown);
    TTextMemo& memo = *shown;
    QTest::mousePress(memo.viewport(), Qt::LeftButton, {}, At(memo, 1, 6));
    QMouseEvent move(QEvent::MouseMove, At(memo, 3, 7),
                     memo.viewport()->mapToGlobal(At(memo, 3, 7)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(memo.viewport(), &move);
    QTest::mouseRelease(memo.viewport(), Qt::LeftButton, {}, At(memo, 3, 7));
    QCOMPARE(memo.SelectedText(), QStringLiteral("1 = Wert 1\nZeile 2 = Wert 2\nZeile 3"));
    QTest::keyClick(&memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), memo.SelectedText());

    // Shift extends from where the selection began; a plain click drops it.
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, Qt::ShiftModifier, At(memo, 1, 9));
    QCOMPARE(memo.SelectedText(), QStringLiteral("1 ="));
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, At(memo, 2, 3));
    QCOMPARE(memo.SelectedText(), QString());

    QTest::keyClick(&memo, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(memo.SelectedText(), memo.Text());
    QTest::keyClick(&memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), memo.Text());

    // The cancel key is left to the window.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&memo, &escape);
    QVERIFY(!escape.isAccepted());
  }

  void itsContextMenuCopiesAndSelectsAllInGerman() {
    TTextMemo memo(nullptr);
    memo.resize(300, 200);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    memo.SetText(QStringLiteral("Make = Canon\nModel = IXUS"));
    QStringList captions;
    QList<bool> enabled;
    QTimer::singleShot(200, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        captions << a->text();
        enabled << a->isEnabled();
      }
      menu->actions().last()->trigger();
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            memo.viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(memo.viewport(), &event);
    QCOMPARE(captions, (QStringList{QStringLiteral("&Kopieren\tStrg+C"),
                                    QStringLiteral("Alles &markieren\tStrg+A")}));
    QCOMPARE(enabled, (QList<bool>{false, true}));
    QCOMPARE(memo.SelectedText(), memo.Text());
  }
};

QTEST_MAIN(TextMemoTest)
#include "text_memo_test.moc"
