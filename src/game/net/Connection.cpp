#include "net/Connection.h"

#include "net/AsioSupport.h"
#include "net/NetProtocol.h"

namespace trundlex {

Connection::Connection(std::int32_t id, Socket socket, std::string address)
    : peer(address), id_(id), address_(std::move(address)), framer_(netproto::MaxPendingBytes) {
    if (socket.valid()) {
        link_ = std::make_shared<Link>(std::move(socket.impl()->socket), socket.impl()->where);
        transport_ = link_;
    }
}

Connection::Connection(std::int32_t id, std::shared_ptr<Transport> transport, std::string address)
    : peer(address),
      id_(id),
      transport_(std::move(transport)),
      address_(std::move(address)),
      framer_(netproto::MaxPendingBytes) {}

Connection::~Connection() = default;

bool Connection::send(std::string_view message) {
    if (transport_ == nullptr || message.find('\x07') != std::string_view::npos) {
        return false;
    }
    lastSentAt = std::chrono::steady_clock::now();
    return transport_->queue(MessageFramer::frame(message, netproto::PieceSize));
}

void Connection::useBudget(const std::shared_ptr<SendBudget>& budget) {
    if (link_ != nullptr && budget != nullptr) {
        std::lock_guard lock(link_->mutex);
        link_->budget = budget;
        budget->list(link_);
    }
}

void Connection::shutdown() {
    if (transport_ != nullptr) {
        transport_->shutdown();
    }
}

void Connection::Link::shutdown() {
    {
        // From now on nothing more is queued, whichever thread sends.
        std::lock_guard lock(mutex);
        finishing = true;
    }
    asio::post(io, [self = shared_from_this()] { self->finish(); });
}

bool Connection::Link::queue(std::vector<std::string> pieces) {
    {
        std::lock_guard lock(mutex);
        if (broken || finishing) {
            return false;
        }
        std::size_t bytes = 0;
        for (std::string& piece : pieces) {
            bytes += piece.size();
            queued.push_back(std::move(piece));
        }
        queuedBytes += bytes;
        if (budget != nullptr) {
            budgeted += bytes;
            budget->add(bytes);
        }
        if (queuedBytes > Connection::MaxQueuedBytes) {
            // The rest of the stream could never be framed correctly any more.
            broken = true;
            asio::post(io, [self = shared_from_this()] { self->close(); });
            return false;
        }
        if (!writing) {
            writing = true;
            asio::post(io, [self = shared_from_this()] { self->writeNext(); });
        }
    }
    // Outside this link's lock: the budget may look at every link.
    if (budget != nullptr) {
        budget->shedIfOver();
    }
    return true;
}

void Connection::Link::unbudget(std::size_t bytes) {
    if (budget != nullptr && bytes > 0) {
        budgeted -= bytes;
        budget->remove(bytes);
    }
}

void Connection::Link::writeNext() {
    {
        std::unique_lock lock(mutex);
        if (broken || queued.empty()) {
            writing = false;
            if (finishing && !broken) {
                lock.unlock();
                close();
            }
            return;
        }
        inFlight.swap(queued);
        queued.clear();
        queuedBytes = 0;
    }
    std::vector<asio::const_buffer> buffers;
    buffers.reserve(inFlight.size());
    for (const std::string& piece : inFlight) {
        buffers.push_back(asio::buffer(piece));
    }
    const std::uint64_t round = ++writeRound;
    writeTimer.expires_after(Connection::SendTimeout);
    writeTimer.async_wait([self = shared_from_this(), round](const ErrorCode& error) {
        if (!error && self->writeRound == round) {
            // The peer stopped reading: it counts as gone.
            self->close();
        }
    });
    asio::async_write(
        socket, buffers,
        asio::bind_executor(io, [self = shared_from_this()](const ErrorCode& error,
                                                            std::size_t) {
            ++self->writeRound;
            self->writeTimer.cancel();
            std::size_t written = 0;
            for (const std::string& piece : self->inFlight) {
                written += piece.size();
            }
            self->inFlight.clear();
            {
                std::lock_guard lock(self->mutex);
                self->unbudget(written);
            }
            if (error) {
                {
                    std::lock_guard lock(self->mutex);
                    self->writing = false;
                }
                self->close();
            } else {
                self->writeNext();
            }
        }));
}

void Connection::Link::finish() {
    {
        std::lock_guard lock(mutex);
        finishing = true;
        if (writing && !broken) {
            // writeNext closes the socket once the queue is empty.
            return;
        }
    }
    // (A broken link is closed again: a limit armed since its first closing must not keep
    // the game waiting for it.)
    close();
}

void Connection::Link::close() {
    {
        std::lock_guard lock(mutex);
        broken = true;
        queued.clear();
        queuedBytes = 0;
        // What was in flight is given back when its write ends; the rest goes now.
        std::size_t flying = 0;
        for (const std::string& piece : inFlight) {
            flying += piece.size();
        }
        unbudget(budgeted.load() - std::min(budgeted.load(), flying));
    }
    endSocket(socket);
    idleTimer.cancel();
    writeTimer.cancel();
}

}  // namespace trundlex
