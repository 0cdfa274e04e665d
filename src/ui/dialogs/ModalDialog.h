#pragma once

class QDialog;

/// Shows \a dialog modally through ModalLoop, so that the program's end waits until it has
/// returned; true when it was accepted, never when a quit closed it or the program is ending.
bool ShowModal(QDialog& dialog);
