#pragma once

// What the keystroke benchmarks share: finding controls, typing into them,
// and the loop that times one key up to the finished results.
#include <benchmark/benchmark.h>
#include <QLineEdit>
#include <QString>
#include <functional>

namespace veltrano::bench {

// The named line edit of a window; a missing one ends the program, since the
// benchmark would time nothing.
QLineEdit* field(QWidget* window, const char* name);

// Shows the window's figure pane, as the Figure command does.
void showFigure(QWidget* window);
// Names what is wrong when the window's figure pane was not painted since
// the last call, or returns an empty text.
std::function<QString()> figureRepainted(QWidget* window);

// Shows the window's working pane, as the Working command does.
void showWorking(QWidget* window);
// Names what is wrong when the window's working pane was not painted since
// the last call, or returns an empty text.
std::function<QString()> workingRepainted(QWidget* window);
// Both of the above in turn: the figure, then the working.
std::function<QString()> bothRepainted(QWidget* window);

// Clicks the button of the given index in the window's "OptTask" group.
void selectTask(QWidget* window, int index);

// One key pressed and released on the widget, as typing sends it.
void press(QWidget* widget, int key, const QString& text = {});

// Times keystrokes in the field, which alternately append `digit` and erase
// it again, so that every key changes the input. Each timed step is the key
// and every event it posts (nested solves, repaints), that is, up to the
// finished results on the screen. After each key `failure` looks at the
// window and names what is wrong with its results, or returns an empty text.
void alternateKeystrokes(benchmark::State& state, QLineEdit* field, char digit,
                         const std::function<QString()>& failure);

}  // namespace veltrano::bench
