#include "net/NetLobby.h"

namespace trundlex {

std::string LobbyStatus::english() const {
    switch (text) {
        case LobbyText::CantStartServer:
            return "Can't start server.";
        case LobbyText::CouldntConnect:
            return "Couldn't connect.";
        case LobbyText::ConnectionOpen:
            return "Connection open!";
        case LobbyText::TransferLevels:
            return "Transfer levels... (" + std::to_string(count) + ")";
        case LobbyText::WaitingForStart:
            return "Waiting for start message.";
        case LobbyText::ClientDisconnected:
            return first + " disconnected.";
        case LobbyText::ConnectionInterrupted:
            return "Connection to server was interrupted.";
        case LobbyText::IllegalVersion:
            return "Illegal server version (server: " + first + ", this version: " + second + ").";
        case LobbyText::RoomRefused:
            return first;
        case LobbyText::NotARoomHost:
            return "This host does not offer rooms.";
    }
    return {};
}

std::string LobbyComputer::statusEnglish() const {
    switch (status) {
        case ComputerStatus::None:
            return {};
        case ComputerStatus::Initializing:
            return "Initializing game...";
        case ComputerStatus::TransferLevel:
            return "Transfer level \"" + levelName + "\"...";
        case ComputerStatus::Ready:
            return "Ready";
    }
    return {};
}

}  // namespace trundlex
