// The questions the main window asks the user: file dialogs and message boxes. The program uses
// the Qt dialogs; the window tests put scripted answers in their place.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

namespace tavlo {

class DialogService {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~DialogService() = default;

    // filter is "description|pattern", as the menus define it.
    // An existing file; the dialog starts in `folder` when one is given and adds
    // `defaultSuffix` to a name typed without one.
    virtual std::optional<QString> openImage(QWidget* parent, const QString& title,
                                             const QString& filter, const QString& folder = {},
                                             const QString& defaultSuffix = {}) = 0;
    // The chosen folder must exist and the file must not be read-only; askOverwrite asks before
    // replacing an existing file.
    virtual std::optional<QString> saveImage(QWidget* parent, const QString& title,
                                             const QString& filter, const QString& proposedName,
                                             bool askOverwrite) = 0;
    // A plain message with one OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A confirmation with Yes and No, and Cancel when withCancel.
    virtual Answer confirm(QWidget* parent, const QString& text, bool withCancel) = 0;
    // An error the user did not cause (a file that cannot be read or written).
    virtual void reportError(QWidget* parent, const QString& text) = 0;
};

class QtDialogService : public DialogService {
  public:
    std::optional<QString> openImage(QWidget* parent, const QString& title, const QString& filter,
                                     const QString& folder, const QString& defaultSuffix) override;
    std::optional<QString> saveImage(QWidget* parent, const QString& title, const QString& filter,
                                     const QString& proposedName, bool askOverwrite) override;
    void message(QWidget* parent, const QString& text) override;
    Answer confirm(QWidget* parent, const QString& text, bool withCancel) override;
    void reportError(QWidget* parent, const QString& text) override;
};

// "JPGﾌｧｲﾙ(*.JPG)|*.jpg" as a Qt name filter that matches the pattern in either letter case.
QString qtNameFilter(const QString& filter);

} // namespace tavlo
