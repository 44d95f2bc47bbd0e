// Answers the main window's questions from a script and records what was asked.
#pragma once

#include "widgets/dialog_service.h"

#include <QStringList>

#include <deque>

namespace tavlo {

struct ScriptedDialogs : DialogService {
    struct SaveRequest {
        QString title, filter, proposedName;
        bool askOverwrite;
    };

    // Paths chosen in the file dialogs; an empty one, or none left, cancels.
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<Answer> confirmAnswers;
    QStringList messages, confirmations, errors, openTitles, openFolders;
    std::vector<SaveRequest> saves;

    std::optional<QString> openImage(QWidget*, const QString& title, const QString&,
                                     const QString& folder, const QString&) override {
        openTitles << title;
        openFolders << folder;
        return chosen(next(openAnswers, QString()));
    }
    std::optional<QString> saveImage(QWidget*, const QString& title, const QString& filter,
                                     const QString& proposedName, bool askOverwrite,
                                     const WrittenName& writtenName = {}) override {
        saves.push_back({title, filter, proposedName, askOverwrite});
        const auto answer = chosen(next(saveAnswers, QString()));
        return answer && writtenName ? writtenName(*answer) : answer;
    }
    void message(QWidget*, const QString& text) override { messages << text; }
    Answer confirm(QWidget*, const QString& text, bool) override {
        confirmations << text;
        return next(confirmAnswers, Answer::Cancel);
    }
    void reportError(QWidget*, const QString& text) override { errors << text; }

  private:
    static std::optional<QString> chosen(const QString& path) {
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    }
    template <class T> static T next(std::deque<T>& queue, T otherwise) {
        if (queue.empty())
            return otherwise;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace tavlo
