// The JPEG quality dialog: a bar from 1 to 100; "実　行" hands the quality to the main
// window, "キャンセル" only tells it the dialog closed.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

class JpegQualityDialog : public QWidget {
    Q_OBJECT
  public:
    explicit JpegQualityDialog(QWidget* parent = nullptr);
    // Shows the dialog with its bar at the document's quality.
    void open(int quality);

    QPushButton* runButton;    // "実　行"
    QPushButton* cancelButton; // "キャンセル"
    QLineEdit* qualityBox;
    QScrollBar* qualityBar;

  signals:
    void qualityChosen(int quality);
    void cancelled();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void onQualityChanged();
    void onRun();
    void onCancel();

    int quality_ = 0; // the document's, as last opened
    int pendingQuality_ = 0;
};

} // namespace tavlo
