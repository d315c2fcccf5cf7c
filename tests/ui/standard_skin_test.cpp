// Turning a window of the Fashion skin into its Standard-skin form.
#include "ui/standard_skin.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::ui {

// A window of the Fashion skin: the frame and the content panel, at 40, 50 and 400 x 300.
struct SkinnedWindow {
  QWidget window;
  TtfXPForm* frame = new TtfXPForm(&window);
  TXPGradientPanel* content = new TXPGradientPanel(&window);
  SkinnedWindow() {
    content->setObjectName(QStringLiteral("ContentPanel"));
    frame->SetContentPanel(content);
    window.setGeometry(40, 50, 400, 300);
  }
};

class StandardSkinTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowGetsASystemFrameAroundItsWholeContent() {
    QWidget window;
    auto* frame = new TtfXPForm(&window);
    frame->SetTitleCaption(QStringLiteral("Formatdefinitionen"));
    frame->SetBottomTitleHeight(4);
    auto* content = new TXPGradientPanel(&window);
    content->setObjectName(QStringLiteral("ContentPanel"));
    auto* inner = new TXPGradientPanel(content);
    frame->SetContentPanel(content);
    window.setGeometry(40, 50, 400, 300);

    ConvertToStandardSkin(*frame, *content);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(frame->FrameHidden());
    QVERIFY(!frame->isVisible());
    QVERIFY(!frame->CloseButton()->isVisible());
    QVERIFY(!(window.windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(window.windowTitle(), QStringLiteral("  Formatdefinitionen"));
    QVERIFY(window.mask().isEmpty());
    QCOMPARE(window.geometry(), QRect(40, 50, 400, 300));
    QCOMPARE(content->geometry(), QRect(0, 0, 400, 300));
    QVERIFY(!content->GradientEnabled());
    QVERIFY(!inner->GradientEnabled());
    window.resize(500, 350);
    QCOMPARE(content->geometry(), QRect(0, 0, 500, 350));
  }

  void eachKindOfControlIsConvertedOnceAndNamesBeginningWithXpFormAreLeft() {
    SkinnedWindow skinned;
    QWidget& window = skinned.window;
    TtfXPForm* frame = skinned.frame;
    TXPGradientPanel* content = skinned.content;
    auto* panel = new TXPGradientPanel(content);
    panel->setObjectName(QStringLiteral("EditPanel"));
    auto* framePanel = new TXPGradientPanel(content);
    framePanel->setObjectName(QStringLiteral("xpFormPanel"));
    auto* check = new TXPCheckBox(content);
    check->setObjectName(QStringLiteral("SaveCheck"));
    check->setGeometry(10, 20, 16, 16);
    check->setChecked(true);
    check->setToolTip(QStringLiteral("Speichern"));
    int checkClicks = 0;
    connect(check, &QCheckBox::clicked, this, [&] { ++checkClicks; });
    auto* ok = new TXPButton(QStringLiteral("&Ok"), content);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setGeometry(100, 200, 80, 28);
    ok->setDefault(true);
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    ok->SetPicture(picture);
    int okClicks = 0;
    connect(ok, &QPushButton::clicked, this, [&] { ++okClicks; });
    auto* off = new TXPButton(QStringLiteral("&Abbrechen"), content);
    off->setObjectName(QStringLiteral("CancelButton"));
    off->setGeometry(190, 200, 80, 28);
    off->setEnabled(false);
    auto* skipped = new TXPButton(QStringLiteral("X"), content);
    skipped->setObjectName(QStringLiteral("XPFORMClose"));
    QWidget::setTabOrder(check, ok);
    QWidget::setTabOrder(ok, off);

    ConvertToStandardSkin(*frame, *content);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    struct PanelCase {
      TXPGradientPanel* panel;
      bool gradient;
      bool bevel;
    };
    for (const PanelCase& c : {PanelCase{content, false, false}, PanelCase{panel, false, true},
                               PanelCase{framePanel, true, false}}) {
      QCOMPARE(c.panel->GradientEnabled(), c.gradient);
      QCOMPARE(c.panel->LoweredBevel(), c.bevel);
    }
    struct TwinCase {
      QAbstractButton* skinned;
      QString twinName;  // empty: no twin
      QRect place;
      bool enabled;
    };
    for (const TwinCase& c :
         {TwinCase{check, QStringLiteral("PlainSaveCheck"), QRect(10, 19, 16, 16), true},
          TwinCase{ok, QStringLiteral("BitOkButton"), QRect(100, 200, 80, 28), true},
          TwinCase{off, QStringLiteral("BitCancelButton"), QRect(190, 200, 80, 28), false},
          TwinCase{skipped, QString(), QRect(), true}}) {
      QAbstractButton* twin = PlainTwin(*c.skinned);
      if (c.twinName.isEmpty()) {
        QVERIFY(twin == nullptr);
        QVERIFY(c.skinned->isVisible());
        continue;
      }
      QVERIFY2(twin != nullptr, qPrintable(c.twinName));
      QCOMPARE(twin->objectName(), c.twinName);
      QCOMPARE(twin->parentWidget(), c.skinned->parentWidget());
      QCOMPARE(twin->geometry(), c.place);
      QCOMPARE(twin->text(), c.skinned->text());
      QCOMPARE(twin->isEnabled(), c.enabled);
      QCOMPARE(twin->toolTip(), c.skinned->toolTip());
      QVERIFY(twin->isVisible());
      QVERIFY(!c.skinned->isVisible());
      QVERIFY(qobject_cast<TXPButton*>(twin) == nullptr &&
              qobject_cast<TXPCheckBox*>(twin) == nullptr);
    }
    // Twins are plain controls made during the walk: they get no twins of their own.
    QCOMPARE(content->findChildren<QPushButton*>(QStringLiteral("BitBitOkButton")).size(), 0);
    QCOMPARE(content->findChildren<QAbstractButton*>().size(), 4 + 3);
    auto* plainOk = static_cast<QPushButton*>(PlainTwin(*ok));
    QVERIFY(plainOk->isDefault());
    QVERIFY(!plainOk->icon().isNull());
    // The tab order runs through the twins where the skinned controls stood.
    QCOMPARE(PlainTwin(*check)->nextInFocusChain(), ok);
    QCOMPARE(ok->nextInFocusChain(), plainOk);

    // A click on a twin runs the skinned control's handler and keeps both in step.
    QTest::mouseClick(PlainTwin(*check), Qt::LeftButton);
    QCOMPARE(checkClicks, 1);
    QVERIFY(!check->isChecked());
    QVERIFY(!PlainTwin(*check)->isChecked());
    QTest::mouseClick(plainOk, Qt::LeftButton);
    QCOMPARE(okClicks, 1);
    // The window's code changes the skinned controls later: the twins follow.
    check->setChecked(true);
    QVERIFY(PlainTwin(*check)->isChecked());
    off->setEnabled(true);
    QVERIFY(PlainTwin(*off)->isEnabled());
    ok->setToolTip(QStringLiteral("Übernehmen"));
    QCOMPARE(plainOk->toolTip(), QStringLiteral("Übernehmen"));
    // Caption, picture and place need the window's own call.
    ok->move(120, 210);
    ok->setText(QStringLiteral("&Speichern"));
    ok->SetPicture(QPixmap());
    CopyToPlainTwin(*ok);
    QCOMPARE(plainOk->pos(), QPoint(120, 210));
    QCOMPARE(plainOk->text(), QStringLiteral("&Speichern"));
    QVERIFY(plainOk->icon().isNull());
    ok->show();
    QVERIFY(!ok->isVisible());
    QVERIFY(plainOk->isVisible());
  }

  void aTwinTakesTheLayoutPlaceOfItsSkinnedControl() {
    SkinnedWindow skinned;
    auto* column = new QVBoxLayout(skinned.content);
    auto* label = new QLabel(QStringLiteral("Build 2.0.0.1"), skinned.content);
    column->addWidget(label, 1);
    auto* ok = new TXPButton(QStringLiteral("&Ok"), skinned.content);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setFixedSize(75, 25);
    column->addWidget(ok, 0, Qt::AlignHCenter);
    skinned.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&skinned.window));

    ConvertToStandardSkin(*skinned.frame, *skinned.content);
    auto* twin = skinned.content->findChild<QPushButton*>(QStringLiteral("BitOkButton"));
    QVERIFY(twin);
    QTRY_VERIFY(twin->isVisible());
    QCOMPARE(twin->size(), QSize(75, 25));
    // Laid out below the label, at the bottom, also after the window changed its size.
    for (const QSize size : {QSize(400, 300), QSize(420, 360)}) {
      skinned.window.resize(size);
      QTRY_COMPARE(skinned.content->size(), size);
      QTRY_VERIFY(twin->geometry().top() >= label->geometry().bottom());
      QVERIFY(twin->geometry().bottom() > size.height() - 40);
      QVERIFY(!twin->geometry().intersects(label->geometry()));
    }
  }

  void aShownWindowStaysShown() {
    SkinnedWindow skinned;
    skinned.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&skinned.window));
    ConvertToStandardSkin(*skinned.frame, *skinned.content);
    QVERIFY(skinned.window.isVisible());
    QCOMPARE(skinned.window.size(), QSize(400, 300));
  }
};

}  // namespace trimora::ui

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  trimora::ui::StandardSkinTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "standard_skin_test.moc"
