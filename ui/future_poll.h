#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <future>
#include <memory>
#include <utility>

namespace kerbwise::ui {

// Hands the value of `future` to `done` on the window's thread once it is
// ready, looking every few milliseconds and never waiting for it. The look
// ends with `owner`; a future left unfinished then is dropped (its run goes on
// to the end on its own thread and its value is discarded).
template <typename T, typename Done>
void WhenReady(QObject* owner, std::future<T> future, Done done) {
  constexpr int kLookMs = 25;
  auto* timer = new QTimer(owner);
  auto shared = std::make_shared<std::future<T>>(std::move(future));
  QObject::connect(timer, &QTimer::timeout, owner,
                   [timer, shared, done = std::move(done)]() mutable {
                     if (shared->wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
                       return;
                     }
                     timer->stop();
                     timer->deleteLater();
                     done(shared->get());
                   });
  timer->start(kLookMs);
}

}  // namespace kerbwise::ui
