#include "device/kesthidapi.h"

#include <cerrno>
#include <unistd.h>

#include <QDebug>

#include <hidapi/hidapi.h>

namespace {

class HidApiDevice final : public KestHidDevice
{
public:
    explicit HidApiDevice(hid_device *device) : m_device(device) {}
    hid_device *device() const { return m_device; }

private:
    hid_device *m_device;
};

hid_device *raw(KestHidHandle handle)
{
    return handle ? static_cast<HidApiDevice *>(handle)->device() : nullptr;
}

} // namespace

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
    return device ? new HidApiDevice(device) : nullptr;
}

void KestHidApi::close(KestHidHandle device)
{
    if (!device)
        return;
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
