// The print layout window: the printer's sheet and printable area to scale, the printed
// size and position of the image in millimetres, printer set-up and information, and the print.
// The numbers come from tavlo::PrintLayout; this window shows them and hands it the user's input.
// It keeps its own copy of the image to print.
#pragma once

#include "document/bitmap.h"
#include "printing/print_layout.h"
#include "widgets/dialog_service.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

#include <functional>
#include <memory>

namespace tavlo {

class PrinterInfoWindow;

// Runs a piece of work with the busy cursor and reports what it throws; false when it failed.
using ActionRunner = std::function<bool(const std::function<void()>& work)>;

class PrintWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The printer is chosen and queried now; printing and taking an image run through `run`.
    PrintWindow(DialogService& dialogs, ActionRunner run, PrinterInfoWindow& info,
                QWidget* parent = nullptr);
    ~PrintWindow() override;

    // Takes a copy of the image to print and sizes it from the printer's resolution.
    void receiveImage(tavlo::Bitmap image);

    // Reads the current printer's figures and lays the window out for them (at creation and
    // after every printer set-up).
    void readPrinter();

    const tavlo::PrintLayout& layout() const { return layout_; }
    const tavlo::Bitmap& printImage() const { return image_; }
    QPrinter& printer() { return *printer_; }

    // The file a PDF print goes to, asked at every print with the last one proposed; empty
    // cancels.
    std::function<QString(const QString& proposed)> choosePdfFile;
    // The platform's printer set-up dialog; its result is not examined.
    std::function<void(QPrinter&)> printerSetup;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void barMoved(tavlo::LayoutBar bar, int position);
    void onCentreClicked();
    void onWholePage();
    void onPrint();
    void print();
    void onPrinterSetup();
    void onPrinterInfo();
    void onEditMenuShown();
    void onCopy();
    void onPaste();
    void takeImage(tavlo::Bitmap image);
    // Copies the layout's state to the controls.
    void showLayout();
    QScrollBar* barWidget(tavlo::LayoutBar bar) const;

    DialogService& dialogs_;
    ActionRunner run_;
    PrinterInfoWindow& info_;
    std::unique_ptr<QPrinter> printer_;
    bool systemPrinter_ = false;
    tavlo::PrintLayout layout_;
    tavlo::Bitmap image_;

    QLabel *paperLabel_, *pdfNote_;
    QFrame *sheetPanel_, *printablePanel_;
    QLabel* preview_;
    QCheckBox *keepAspectBox_, *centreBox_;
    QPushButton *setupButton_, *printButton_, *backButton_, *wholePageButton_;
    QLineEdit *aspectText_, *widthText_, *heightText_, *leftText_, *rightText_, *topText_,
        *bottomText_;
    QScrollBar *widthBar_, *heightBar_, *leftBar_, *topBar_;
    QMenu* editMenu_;
    QAction *copyAction_, *pasteAction_;
};

} // namespace tavlo
