#include "system/DdeConversation.h"

#include "system/ProgmanCommands.h"

namespace {

HDDEDATA CALLBACK AnswerEveryTransaction(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                         ULONG_PTR) {
    return reinterpret_cast<HDDEDATA>(1);
}

} // namespace

CDdeConversation::~CDdeConversation() {
    Disconnect();
    // m_instance uninitialises the library after the conversation is gone.
}

bool CDdeConversation::Initialize() {
    return m_instance.Initialize(AnswerEveryTransaction, 0);
}

bool CDdeConversation::Connect(const std::string& service, const std::string& topic) {
    if (!Initialize())
        return false;
    Disconnect();
    CDdeStringHandle serviceName(m_instance.GetId(), service);
    CDdeStringHandle topicName(m_instance.GetId(), topic);
    if (!serviceName || !topicName)
        return false;
    m_hConv = DdeConnect(m_instance.GetId(), serviceName.Get(), topicName.Get(), nullptr);
    return m_hConv != nullptr;
}

bool CDdeConversation::Execute(const char* format, ...) {
    std::string command;
    va_list args;
    va_start(args, format);
    bool fits = FormatDdeCommandV(command, format, args);
    va_end(args);
    return fits && ExecuteCommand(command);
}

bool CDdeConversation::ExecuteCommand(const std::string& command) {
    if (!m_hConv || command.size() >= kDdeCommandBufferSize)
        return false;
    // An execute transaction answers with a flag, not with data that would need freeing.
    HDDEDATA accepted =
        DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())),
                             static_cast<DWORD>(command.size() + 1), m_hConv, nullptr, CF_TEXT,
                             XTYP_EXECUTE, kDdeTimeout, nullptr);
    return accepted != nullptr;
}

bool CDdeConversation::Request(const std::string& item, std::string& text) {
    if (!m_hConv)
        return false;
    CDdeStringHandle itemName(m_instance.GetId(), item);
    if (!itemName)
        return false;
    CDdeDataHandle data(DdeClientTransaction(nullptr, 0, m_hConv, itemName.Get(), CF_TEXT,
                                             XTYP_REQUEST, kDdeTimeout, nullptr));
    DdeGetLastError(m_instance.GetId()); // clears the instance's error; the result says enough
    return data.ReadText(text);
}

bool CDdeConversation::Disconnect() {
    if (!m_hConv)
        return false;
    HCONV conv = m_hConv;
    m_hConv = nullptr;
    return DdeDisconnect(conv) != 0;
}
