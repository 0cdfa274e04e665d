#pragma once

class Clipboard;
class InstanceLock;
class LibraryDialogs;
class MessageBoxes;
class Shell;

/// The machine as the program sees it. main.cpp builds the real services; tests pass fakes.
struct Services
{
    MessageBoxes& boxes;
    Clipboard& clipboard;
    Shell& shell;
    InstanceLock& instance;
    LibraryDialogs& dialogs; // our own modal dialogs, so tests can answer them
};
