// The file dialogs of the tone-curve constants: filter "TVLﾌｧｲﾙ(*.TVL)|*.tvl", starting in the
// program's folder. Both return nothing when the user cancels.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

// Asks before replacing a file; refuses read-only files; the folder must exist.
std::optional<QString> chooseTvlSaveName(QWidget* parent, const QString& folder);
// An existing file; a name typed without an extension gets ".tvl".
std::optional<QString> chooseTvlLoadName(QWidget* parent, const QString& folder);
