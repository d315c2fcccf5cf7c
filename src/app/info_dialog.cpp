#include "app/info_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/tool_icons.h"
#include "ui/kit_style.h"
#include "ui/xp_controls.h"

namespace trimora::app {

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

}  // namespace

TInfoDialog::TInfoDialog(QWidget* parent) : TXPDialog(parent) {
  setObjectName(QStringLiteral("TInfoDialog"));
  SetTitle(QStringLiteral("Info über Trimora 2"));
  QWidget* content = Content();
  auto* column = new QVBoxLayout(content);
  column->setContentsMargins(16, 14, 16, 12);
  column->setSpacing(6);

  auto* head = new QHBoxLayout;
  head->setSpacing(12);
  auto* picture = new QLabel(content);
  picture->setObjectName(QStringLiteral("ProductPicture"));
  picture->setPixmap(MakeToolIcon(ToolIcon::Format, 48).pixmap(48, 48));
  head->addWidget(picture, 0, Qt::AlignVCenter);
  auto* texts = new QVBoxLayout;
  texts->setSpacing(4);
  product_ = new QLabel(QStringLiteral("Trimora 2"), content);
  product_->setObjectName(QStringLiteral("ProductLabel"));
  product_->setFont(ui::KitPixelFont(22, true));
  texts->addWidget(product_);
  build_ = new QLabel(content);
  build_->setObjectName(QStringLiteral("BuildLabel"));
  texts->addWidget(build_);
  head->addLayout(texts, 1);
  column->addLayout(head, 1);

  ok_ = new ui::TXPButton(QStringLiteral("&Ok"), content);
  ok_->setObjectName(QStringLiteral("OkButton"));
  ok_->setFixedSize(75, 25);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  column->addWidget(ok_, 0, Qt::AlignHCenter);
  resize(kWidth, kHeight);
}

void TInfoDialog::SetVersion(const QString& version) {
  build_->setText(QStringLiteral("Build ") + version);
}

}  // namespace trimora::app
