#pragma once

#include <QString>

#include <utility>

namespace vcm::station {

/// A step with the board that could not be done; `message` is one line that begins with the step's name
/// ("connect: ", "read-back: ").
struct BoardFailure {
    enum class Kind {
        NoAdapter,  ///< no adapter found, or its library (or a function of it) missing
        Bus,        ///< a transfer with the chip failed
        Readback,   ///< the chip answered, but holds another value than the one sent
        Eeprom,     ///< the adapter answered that the EEPROM write failed
        BoardFile,  ///< the simulated board's file cannot be read or written
        KeptBoard,  ///< a power-on EEPROM value was given for a board kept in a file
    };

    BoardFailure(Kind what, QString text) : kind(what), message(std::move(text)) {}

    /// The stable name a station record gives the failure ("bus", "readback").
    QString code() const {
        switch (kind) {
            case Kind::NoAdapter:
                return QStringLiteral("adapter");
            case Kind::Bus:
                return QStringLiteral("bus");
            case Kind::Readback:
                return QStringLiteral("readback");
            case Kind::Eeprom:
                return QStringLiteral("eeprom");
            case Kind::BoardFile:
            case Kind::KeptBoard:
                return QStringLiteral("board-file");
        }
        return QStringLiteral("bus");
    }

    /// Whether the board failed a check (it answered, and not as it should): the answer is no. Otherwise
    /// the station could not do its job with it.
    bool boardSaysNo() const { return kind == Kind::Readback; }

    Kind kind;
    QString message;
};

/// A stop (see meter::StopSignal) that was pending before the next step with the board: nothing more
/// goes to it.
struct StopRequested {
    int signal = 0;
};

}  // namespace vcm::station
