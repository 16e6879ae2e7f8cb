#include "imaging/decoder_messages.h"

#include <QString>
#include <atomic>
#include <cstdio>
#include <mutex>

namespace imaging {

namespace {

thread_local DecoderMessages* current = nullptr;
std::atomic<QtMessageHandler> earlierHandler = nullptr;
std::once_flag installed;

}  // namespace

DecoderMessages::DecoderMessages() : outer_(current)
{
    std::call_once(installed, [] { earlierHandler = qInstallMessageHandler(&DecoderMessages::Handle); });
    current = this;
}

DecoderMessages::~DecoderMessages()
{
    current = outer_;
}

void DecoderMessages::Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (current) {
        // libjpeg's "Premature end of JPEG file" and "premature end of data segment".
        if (message.contains(QLatin1String("premature end"), Qt::CaseInsensitive))
            current->dataEndedEarly_ = true;
        return;
    }
    if (const QtMessageHandler earlier = earlierHandler.load())
        earlier(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace imaging
