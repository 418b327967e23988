// SPDX-License-Identifier: GPL-2.0-or-later
#include "device/kesthidapi.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QDebug>

#include <hidapi/hidapi.h>

namespace {

class HidApiDevice final : public KestHidDevice
{
public:
    HidApiDevice(hid_device *device, const QByteArray &path) : m_device(device), m_path(path) {}
    ~HidApiDevice() override
    {
        if (m_watchFd >= 0)
            ::close(m_watchFd);
    }
    hid_device *device() const { return m_device; }
    const QByteArray &path() const { return m_path; }
    int &watchFd() { return m_watchFd; }

private:
    hid_device *m_device;
    QByteArray m_path;
    // A second, read-only descriptor of the same hidraw node. The kernel gives every open
    // descriptor its own copy of each input report, so waiting and draining here leaves
    // hidapi's queue untouched for the reads that follow.
    int m_watchFd = -1;
};

hid_device *raw(KestHidHandle handle)
{
    return handle ? static_cast<HidApiDevice *>(handle)->device() : nullptr;
}

} // namespace

KestHidApi::KestHidApi() : m_wakeFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

KestHidApi::~KestHidApi()
{
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

int KestHidApi::init()
{
    return hid_init();
}

int KestHidApi::exit()
{
    return hid_exit();
}

QVector<KestHidDeviceInfo> KestHidApi::enumerate(quint16 vendorId, quint16 productId)
{
    QVector<KestHidDeviceInfo> result;
    hid_device_info *list = hid_enumerate(vendorId, productId);
    for (const hid_device_info *d = list; d; d = d->next) {
        KestHidDeviceInfo info;
        info.path = QByteArray(d->path);
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.releaseNumber = d->release_number;
        info.interfaceNumber = d->interface_number;
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        result.append(info);
    }
    hid_free_enumeration(list);
    return result;
}

KestHidHandle KestHidApi::open(const QByteArray &path, KestHidOpenError *error)
{
    hid_device *device = hid_open_path(path.constData());
    if (error) {
        *error = KestHidOpenError::None;
        if (!device) {
            // hidapi does not say why; ask the node itself, so the user can be
            // told to install the access rules rather than to plug the mouse in.
            const bool denied = ::access(path.constData(), F_OK) == 0
                                && ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
            *error = denied ? KestHidOpenError::PermissionDenied : KestHidOpenError::Failed;
        }
    }
    if (!device)
        return nullptr;
    auto *handle = new HidApiDevice(device, path);
    QMutexLocker lock(&m_handlesLock);
    m_handles.insert(handle);
    return handle;
}

void KestHidApi::close(KestHidHandle device)
{
    if (!device)
        return;
    {
        QMutexLocker lock(&m_handlesLock);
        m_handles.remove(device);
    }
    hid_close(raw(device));
    delete device;
}

int KestHidApi::write(KestHidHandle device, const quint8 *data, int length)
{
    if (!device)
        return -1;
    return hid_write(raw(device), data, size_t(length));
}

int KestHidApi::readTimeout(KestHidHandle device, quint8 *data, int length, int milliseconds)
{
    if (!device)
        return -1;
    return hid_read_timeout(raw(device), data, size_t(length), milliseconds);
}

// Called with m_handlesLock held, for a handle in m_handles. Returns a descriptor the
// caller owns, or -1 when the node cannot be watched.
int KestHidApi::watchDescriptor(KestHidHandle device)
{
    auto *handle = static_cast<HidApiDevice *>(device);
    int &fd = handle->watchFd();
    // Only hidraw paths are device nodes; anything else cannot be watched.
    if (fd < 0 && handle->path().startsWith("/dev/"))
        fd = ::open(handle->path().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    // A duplicate keeps the node open for the wait even if the handle is closed meanwhile.
    return fd >= 0 ? ::fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
}

int KestHidApi::waitForInput(KestHidHandle device, int milliseconds)
{
    if (m_wakeFd < 0)
        return Unsupported;
    int fd;
    {
        QMutexLocker lock(&m_handlesLock);
        if (!m_handles.contains(device))
            return -1;
        fd = watchDescriptor(device);
    }
    if (fd < 0)
        return Unsupported;

    pollfd fds[2] = {{fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    int result;
    do {
        result = ::poll(fds, 2, milliseconds);
    } while (result < 0 && errno == EINTR);

    int answer = 0;
    if (result < 0 || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))) {
        answer = -1; // unplugged
    } else if (fds[0].revents & POLLIN) {
        // Drain this descriptor's copies; hidapi's own queue still holds the reports.
        quint8 scratch[256];
        while (::read(fd, scratch, sizeof scratch) > 0) {
        }
        answer = 1;
    }
    if (fds[1].revents & POLLIN) {
        quint64 count;
        (void)!::read(m_wakeFd, &count, sizeof count);
    }
    ::close(fd);
    return answer;
}

void KestHidApi::wakeWaiters()
{
    if (m_wakeFd < 0)
        return;
    const quint64 one = 1;
    (void)!::write(m_wakeFd, &one, sizeof one);
}
