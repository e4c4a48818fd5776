// Connections from a window's controls to its handlers, cut before the controls go.
#pragma once

#include <QMetaObject>
#include <QObject>

#include <utility>
#include <vector>

#include "Dialogs.h"

namespace zanvoro {

// Every handler runs through RunHandler; all are cut when this dies, which as a member of
// the window is before ~QWidget deletes the controls.
class HandlerLinks {
public:
    HandlerLinks() = default;
    HandlerLinks(const HandlerLinks&) = delete;
    HandlerLinks& operator=(const HandlerLinks&) = delete;
    ~HandlerLinks() {
        for (const auto& link : links_) QObject::disconnect(link);
    }

    template <class Sender, class Signal, class Handler>
    void on(Sender* sender, Signal signal, QObject* context, Handler handler) {
        links_.push_back(
            QObject::connect(sender, signal, context, [h = std::move(handler)] { RunHandler(h); }));
    }

private:
    std::vector<QMetaObject::Connection> links_;
};

}  // namespace zanvoro
