#include "app/print_commands.h"

#include "app/main_window.h"
#include "printing/ui/disp_dpi.h"
#include "printing/ui/prt_fig.h"

PrintCommands::PrintCommands(TForm1& form1) : QObject(&form1), form1_(form1) {
    Form10 = std::make_unique<TForm10>();
    Form9 = std::make_unique<TForm9>(
        form1.dialogs(), [&form1] { return form1.document().workImage; }, *Form10);
    connect(form1.P1, &QAction::triggered, this, &PrintCommands::P1Click);
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::P1Click() {
    const std::int32_t number = form1_.counters().shared.next();
    Form9->Edit2->setText(QString::number(number));
    Form9->show();
    Form9->raise();
}
