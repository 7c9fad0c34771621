#include "net/NetPool.h"

#include <algorithm>

#include "net/AsioSupport.h"

namespace trundlex {

NetPool::NetPool(int threads) : impl_(std::make_unique<Impl>()) {
    for (int i = 0; i < std::max(threads, 1); ++i) {
        impl_->threads.emplace_back([io = &impl_->io] { io->run(); });
    }
}

NetPool::~NetPool() {
    impl_->work.reset();
    impl_->io.stop();
    for (std::thread& thread : impl_->threads) {
        thread.join();
    }
}

void NetPool::post(std::function<void()> task) {
    asio::post(impl_->io, std::move(task));
}

}  // namespace trundlex
