#include "shell/help_viewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zarnath {

HelpViewer::HelpViewer() : text_(new QTextBrowser(this)) {
  auto* contents = new QPushButton(tr("Contents"), this);
  back_ = new QPushButton(tr("Back"), this);
  forward_ = new QPushButton(tr("Forward"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(text_);
  text_->setOpenExternalLinks(true);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(contents, &QPushButton::clicked, this, &HelpViewer::ShowContents);
  connect(back_, &QPushButton::clicked, text_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, text_, &QTextBrowser::forward);
  connect(text_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(text_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  resize(640, 560);
}

bool HelpViewer::Open(const QString& path, const QString& title) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  setWindowTitle(title);
  text_->setHtml(QString::fromUtf8(file.readAll()));
  text_->clearHistory();
  ShowContents();
  show();
  raise();
  activateWindow();
  return true;
}

void HelpViewer::ShowContents() {
  // The contents open the file.
  text_->verticalScrollBar()->setValue(0);
}

}  // namespace zarnath
