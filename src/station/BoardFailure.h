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
        BoardFile,  ///< the simulated board's file cannot be read or written
        KeptBoard,  ///< a power-on EEPROM value was given for a board kept in a file
    };

    BoardFailure(Kind what, QString text, int exit = 0)
        : kind(what), message(std::move(text)), exitCode(exit) {}

    /// The stable name a station record gives the failure ("bus", "readback").
    QString code() const {
        switch (kind) {
            case Kind::NoAdapter:
                return QStringLiteral("adapter");
            case Kind::Bus:
                return QStringLiteral("bus");
            case Kind::Readback:
                return QStringLiteral("readback");
            case Kind::BoardFile:
            case Kind::KeptBoard:
                return QStringLiteral("board-file");
        }
        return QStringLiteral("bus");
    }

    Kind kind;
    QString message;
    /// An exit code the adapter's back-end asks for (a library that could not be had), or 0.
    int exitCode = 0;
};

/// A stop (see meter::StopSignal) that was pending before the next step with the board: nothing more
/// goes to it.
struct StopRequested {
    int signal = 0;
};

}  // namespace vcm::station
