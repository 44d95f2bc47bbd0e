// The main window's print command: "画像印刷(&P)" hands the working image to the print layout
// window, which also opens the printer information window.
#pragma once

#include <QObject>

#include <memory>

class TForm1;
class TForm9;
class TForm10;

class PrintCommands : public QObject {
    Q_OBJECT
  public:
    // Creates the printer information and print layout windows (the printer is queried now)
    // and connects P1.
    explicit PrintCommands(TForm1& form1);
    ~PrintCommands() override;

    TForm9* printWindow() const { return Form9.get(); }
    TForm10* printerInfoWindow() const { return Form10.get(); }

  private:
    void P1Click();

    TForm1& form1_;
    std::unique_ptr<TForm10> Form10;
    std::unique_ptr<TForm9> Form9;
};
