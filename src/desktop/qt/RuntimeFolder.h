#pragma once

#include <QString>

/// The folder of the user's own that holds the single-instance lock and the command socket,
/// without the final "/": XDG_RUNTIME_DIR while it is a private folder of the user's (a real
/// folder, the user's, closed to everyone else). Otherwise (su, ssh, a bare X start) a private
/// folder the program makes and checks in the temporary folder, named after the user's number,
/// or, where another user has taken that name, in the user's cache folder: so no other user can
/// block the program or reach its socket. Empty when no such folder can be had.
QString RuntimeFolder();
