// CDdeConversation: one DDE client conversation of the calling thread. It owns its DDE
// instance (initialised on first need, uninitialised when destroyed) and its conversation
// handle (disconnected when destroyed). No operation throws; failures are false results.
// Every transaction is synchronous, CF_TEXT, with a time-out of kDdeTimeout milliseconds.
#pragma once

#include "system/DdeHandles.h"

#include <cstdarg>
#include <string>

constexpr DWORD kDdeTimeout = 1000;

class CDdeConversation {
public:
    CDdeConversation() = default;
    CDdeConversation(const CDdeConversation&) = delete;
    CDdeConversation& operator=(const CDdeConversation&) = delete;
    ~CDdeConversation();

    // DdeInitialize once, with a callback that answers every transaction with 1.
    bool Initialize();
    // Connects to service/topic (initialising when needed); a previous conversation is
    // disconnected first.
    bool Connect(const std::string& service, const std::string& topic);
    // Formats a command (printf rules) and sends it as an execute transaction with its
    // terminating zero. False when nothing is connected, when the command would not fit in
    // kDdeCommandBufferSize characters (it is then not sent at all) or when the server did
    // not accept it.
    bool Execute(const char* format, ...);
    // Sends a command that is already text; same rules as Execute.
    bool ExecuteCommand(const std::string& command);
    // Requests `item` as CF_TEXT. When data comes back, `text` receives it (up to its first
    // zero) and the result is true; otherwise `text` is left as it was.
    bool Request(const std::string& item, std::string& text);
    bool Disconnect();

    bool IsConnected() const { return m_hConv != nullptr; }
    bool IsInitialized() const { return m_instance.IsInitialized(); }

private:
    CDdeInstance m_instance;
    HCONV m_hConv = nullptr;
};
