#pragma once

#include <QPoint>

class QWidget;

/// The edit menu of the operating screen's edits: Undo, Cut, Copy, Paste, Delete, Select all,
/// each enabled only when it can act. Copy leaves the text unselected.
void ShowEditContextMenu(QWidget* edit, QPoint globalPos);
