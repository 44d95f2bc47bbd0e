// The arbitrary-size dialog: the source size and ratio, and a typed width and height,
// optionally with the height following the width at the image's aspect ratio.
#pragma once

#include "document/document.h"
#include "geometry/geometry_parameters.h"
#include "widgets/dialog_controls.h"
#include "widgets/dialog_service.h"
#include "widgets/window_placement.h"

#include <QCheckBox>
#include <QGroupBox>

#include <optional>

namespace tavlo {

class SizeDialog : public QWidget {
    Q_OBJECT
  public:
    // Shows the document's source size and follows its aspect ratio; `dialogs` shows, above this
    // dialog, a field that does not read as a number and a width that is refused.
    SizeDialog(const tavlo::Document& document, DialogService& dialogs, QWidget* parent = nullptr);

    // Prepares for the menu: the source fields, the caption, "実行" disabled; the edits keep their
    // text.
    void prepare();
    // The working image changed: the source fields and the caption show the new one.
    void followImage();

  signals:
    // 実行 with both fields read as numbers (a side may still be 0); the dialog stays open.
    void runRequested(const tavlo::ResizeParameters& parameters);

  private:
    void onWidthEdited();
    void onHeightEdited();
    void onFollowAspectClicked();
    void onRun();

    // The field's text with "0" in front, as an integer; nothing when it is not one.
    static std::optional<int> readField(const QLineEdit* edit);
    static QString ratioText(float ratio);

    QPushButton *runButton_, *backButton_;
    QLineEdit *sourceWidthBox_, *sourceHeightBox_, *sourceRatioBox_;
    QCheckBox* keepAspectBox_;
    QLineEdit *widthField_, *heightField_, *ratioBox_;

    const tavlo::Document& document_;
    DialogService& dialogs_;
    QString acceptedWidth_; // the width field's text before the last edit, to go back to
};

} // namespace tavlo
