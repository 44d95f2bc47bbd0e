// The arbitrary-size dialog: the source size and ratio, and a typed width and height,
// optionally with the height following the width at the image's aspect ratio.
#pragma once

#include "document/document.h"
#include "geometry/resize.h"
#include "widgets/command_sender.h"
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
    // `target` is TargetWidth × TargetHeight, written by "実行"; `dialogs` shows, above this
    // dialog, a field that does not read as a number and a width that is refused.
    SizeDialog(const tavlo::Document& document, tavlo::ImageSize& target,
               tavlo::CommandChannel& channel, DialogService& dialogs, QWidget* parent = nullptr);

    // Prepares for the menu: the source fields, the caption, "実行" disabled; the edits keep their
    // text.
    void prepare();

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
    QPushButton *Button1, *Button2;
    QLineEdit *Edit1, *Edit2, *Edit5; // source W, H, W/H
    QCheckBox* CheckBox2;
    QLineEdit *Edit3, *Edit4, *Edit6; // requested W, H, W/H

  private:
    void onWidthEdited();
    void onHeightEdited();
    void onFollowAspectClicked();
    void onRun();

    // The field's text with "0" in front, as an integer; nothing when it is not one.
    static std::optional<int> readField(const QLineEdit* edit);
    static QString ratioText(float ratio);

    const tavlo::Document& document_;
    tavlo::ImageSize& target_;
    tavlo::CommandCounter counter_;
    CommandSender sender_;
    DialogService& dialogs_;
    QString acceptedWidth_; // the width field's text before the last edit, to go back to
};

} // namespace tavlo
