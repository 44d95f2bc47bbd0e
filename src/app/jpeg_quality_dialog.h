// The JPEG quality dialog: a bar from 1 to 100; "実　行" hands the quality to the main
// window through the command channel, "キャンセル" only tells it the dialog closed.
#pragma once

#include "document/command_channel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

class JpegQualityDialog : public QWidget {
    Q_OBJECT
  public:
    // jpegQuality is the document's setting, which "実　行" replaces.
    JpegQualityDialog(int& jpegQuality, tavlo::CommandChannel& channel, QWidget* parent = nullptr);

    QPushButton* runButton;    // "実　行"
    QPushButton* cancelButton; // "キャンセル"
    QLineEdit* qualityBox;
    QScrollBar* qualityBar;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void onQualityChanged();
    void onRun();
    void onCancel();

    int& jpegQuality_;
    tavlo::CommandChannel& channel_;
    tavlo::CommandCounter counter_; // private to this dialog
    int pendingQuality_ = 0;
};

} // namespace tavlo
