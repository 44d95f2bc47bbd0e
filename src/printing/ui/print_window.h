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

class PrintWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `workImage` gives the main window's working image when the window receives it.
    PrintWindow(DialogService& dialogs, std::function<tavlo::Bitmap()> workImage,
                PrinterInfoWindow& info, QWidget* parent = nullptr);
    ~PrintWindow() override;

    // Reads the current printer's figures and lays the window out for them (at creation and
    // after every printer set-up).
    void readPrinter();

    const tavlo::PrintLayout& layout() const { return layout_; }
    const tavlo::Bitmap& printImage() const { return image_; }
    QPrinter& printer() { return *printer_; }
    // False when the system had no printer queue and the print goes to a PDF file.
    bool hasSystemPrinter() const { return systemPrinter_; }

    // The file a PDF print goes to, asked at every print with the last one proposed; empty
    // cancels.
    std::function<QString(const QString& proposed)> choosePdfFile;
    // The platform's printer set-up dialog; its result is not examined.
    std::function<void(QPrinter&)> printerSetup;

    QLabel *Label16, *Label1, *PdfNote;
    QFrame *Panel1, *Panel2;
    QLabel* Image1;
    QGroupBox *GroupBox2, *GroupBox3;
    QCheckBox *CheckBox1, *CheckBox3;
    QPushButton *Button1, *Button2, *Button3, *BitBtn1;
    QLineEdit *Memo1, *Memo2, *Memo10, *Memo11, *Memo12, *Memo13, *Memo14;
    QScrollBar *ScrollBar1, *ScrollBar2, *ScrollBar3, *ScrollBar4;
    QMenu *Edit1, *Printer1;
    QAction *Copy2, *P3, *S1, *Show2;
    QLineEdit* Edit2; // hidden; any new text makes the window take the working image

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void onImageSent();
    void barMoved(tavlo::LayoutBar bar, int position);
    void onCentreClicked();
    void onWholePage();
    void onPrint();
    void onPrinterSetup();
    void onPrinterInfo();
    void onEditMenuShown();
    void onCopy();
    void onPaste();
    // SizeFromImage after a new image, with the busy cursor.
    void takeImage(tavlo::Bitmap image);
    // Copies the layout's state to the controls.
    void showLayout();
    QScrollBar* barWidget(tavlo::LayoutBar bar) const;

    DialogService& dialogs_;
    std::function<tavlo::Bitmap()> workImage_;
    PrinterInfoWindow& info_;
    std::unique_ptr<QPrinter> printer_;
    bool systemPrinter_ = false;
    tavlo::PrintLayout layout_;
    tavlo::Bitmap image_;
};

} // namespace tavlo
