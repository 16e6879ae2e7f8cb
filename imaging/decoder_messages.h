#pragma once

#include <QtGlobal>

namespace imaging {

// Takes what Qt's picture decoders say on this thread while it lives, so that their warnings
// ("Bogus message code", "exceeds the current allocation limit", ...) never reach stderr raw, and
// tells whether one of them said the data ended early: libjpeg then fills the rest with grey and
// reports success, even when the file was re-terminated with an end marker and its decoder never
// asked for bytes past the end.
//
// Messages of other threads, and of this one outside a collector's life, go to the handler that was
// installed before the first collector.
//
// Thread: the thread that decodes; collectors on one thread nest.
class DecoderMessages {
public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    bool dataEndedEarly() const { return dataEndedEarly_; }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

    DecoderMessages* outer_;
    bool dataEndedEarly_ = false;
};

}  // namespace imaging
