// SPDX-License-Identifier: GPL-2.0-or-later
#include "mockhidraw.h"

#include <cstring>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <umockdev.h>

namespace {

// Interface 0: a mouse (buttons, X, Y) and a consumer-control collection,
// so that enumeration reports the node twice.
const std::vector<unsigned char> PointerDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01,
    0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x03,
    0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02,
    0x81, 0x06, 0xC0, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x15, 0x00, 0x26, 0xFF,
    0x03, 0x19, 0x00, 0x2A, 0xFF, 0x03, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0};

// Interface 2: the vendor collection, 32-byte input and output reports
// without report ID.
const std::vector<unsigned char> VendorDescriptor = {
    0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x20, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};

std::string hex(const std::vector<unsigned char> &bytes)
{
    std::string text;
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}

const std::vector<unsigned char> &descriptorOf(const char *devnode, const std::vector<std::string> &vendorNodes)
{
    for (const std::string &node : vendorNodes)
        if (node == devnode)
            return VendorDescriptor;
    return PointerDescriptor;
}

} // namespace

struct MockHidraw::Private
{
    UMockdevTestbed *testbed = nullptr;
    UMockdevIoctlBase *ioctls = nullptr;
    std::vector<std::string> vendorNodes;
};

// hid_open_path asks the node for its report descriptor; the testbed's node is
// a pseudo-terminal, so the answer comes from here.
static gboolean handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data)
{
    auto *d = static_cast<MockHidraw::Private *>(data);
    const std::vector<unsigned char> &descriptor =
        descriptorOf(umockdev_ioctl_client_get_devnode(client), d->vendorNodes);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    const gulong request = umockdev_ioctl_client_get_request(client);
    if (request == HIDIOCGRDESCSIZE) {
        UMockdevIoctlData *size = umockdev_ioctl_data_resolve(arg, 0, sizeof(int), nullptr);
        *reinterpret_cast<int *>(size->data) = int(descriptor.size());
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }
    if (request == HIDIOCGRDESC) {
        UMockdevIoctlData *rd = umockdev_ioctl_data_resolve(arg, 0, sizeof(hidraw_report_descriptor), nullptr);
        auto *out = reinterpret_cast<hidraw_report_descriptor *>(rd->data);
        out->size = unsigned(descriptor.size());
        std::memcpy(out->value, descriptor.data(), descriptor.size());
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }
    return FALSE;
}

MockHidraw::MockHidraw() : d(new Private)
{
    // The testbed has to exist before anyone asks whether we are mocked.
    d->testbed = umockdev_testbed_new();
    if (!umockdev_in_mock_environment()) {
        m_error = "not running under umockdev-wrapper";
        return;
    }

    struct DeviceSpec
    {
        const char *port;
        const char *product;
        const char *release;
        int firstHidraw;
    };
    const DeviceSpec devices[2] = {{"1-2", "0d01", "0105", 0}, {"1-3", "0d02", "0213", 2}};
    std::string description;
    for (int dev = 0; dev < 2; ++dev) {
        const DeviceSpec &spec = devices[dev];
        const std::string usb = std::string("/devices/pci0000:00/0000:00:14.0/usb1/") + spec.port;
        description += "P: " + usb + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n"
                       "A: idVendor=c0de\nA: idProduct=" + spec.product + "\nA: bcdDevice=" + spec.release
                       + "\nA: manufacturer=Kest\nA: product=Gaming Mouse\n\n";
        for (int iface : {0, 2}) {
            const std::string intf = usb + "/" + spec.port + ":1." + std::to_string(iface);
            std::string pid = spec.product;
            for (char &c : pid)
                c = char(std::toupper(c));
            const std::string hid = intf + "/0003:C0DE:" + pid + ".000" + std::to_string(spec.firstHidraw + iface / 2 + 1);
            const std::string name = "hidraw" + std::to_string(spec.firstHidraw + iface / 2);
            const std::vector<unsigned char> &descriptor = iface == 2 ? VendorDescriptor : PointerDescriptor;
            description += "P: " + intf + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=0"
                           + std::to_string(iface) + "\n\n";
            description += "P: " + hid + "\nE: SUBSYSTEM=hid\nE: HID_ID=0003:0000C0DE:0000" + pid
                           + "\nE: HID_NAME=Kest Gaming Mouse\nE: HID_UNIQ=\nH: report_descriptor=" + hex(descriptor)
                           + "\n\n";
            description += "P: " + hid + "/hidraw/" + name + "\nN: " + name + "\nE: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/"
                           + name + "\n\n";
            m_nodes.push_back(Node{"/dev/" + name, "/sys" + hid + "/hidraw/" + name});
            if (iface == 2)
                d->vendorNodes.push_back("/dev/" + name);
        }
    }

    GError *error = nullptr;
    if (!umockdev_testbed_add_from_string(d->testbed, description.c_str(), &error)) {
        m_error = error->message;
        g_error_free(error);
        return;
    }
    d->ioctls = umockdev_ioctl_base_new();
    g_signal_connect(d->ioctls, "handle-ioctl", G_CALLBACK(handleIoctl), d);
    for (const Node &node : m_nodes) {
        // hidapi reads the descriptor through the node's "device" link.
        umockdev_testbed_set_attribute_link(d->testbed, node.syspath.c_str(), "device", "../..");
        if (!umockdev_testbed_attach_ioctl(d->testbed, node.devnode.c_str(), d->ioctls, &error)) {
            m_error = error->message;
            g_error_free(error);
            return;
        }
    }
    m_usable = true;
}

MockHidraw::~MockHidraw()
{
    if (d->ioctls)
        g_object_unref(d->ioctls);
    g_object_unref(d->testbed);
    delete d;
}

const MockHidraw::Node &MockHidraw::node(int device, int interfaceNumber) const
{
    return m_nodes.at(size_t(device * 2 + interfaceNumber / 2));
}

void MockHidraw::uevent(const Node &node, const char *action)
{
    umockdev_testbed_uevent(d->testbed, node.syspath.c_str(), action);
}

std::vector<unsigned char> MockHidraw::readWritten(const Node &node, size_t max, int timeoutMs)
{
    const int fd = umockdev_testbed_get_dev_fd(d->testbed, node.devnode.c_str());
    pollfd p{fd, POLLIN, 0};
    if (fd < 0 || poll(&p, 1, timeoutMs) <= 0)
        return {};
    std::vector<unsigned char> bytes(max);
    const ssize_t n = ::read(fd, bytes.data(), max);
    bytes.resize(n > 0 ? size_t(n) : 0);
    return bytes;
}

bool MockHidraw::sendInput(const Node &node, const std::vector<unsigned char> &report)
{
    const int fd = umockdev_testbed_get_dev_fd(d->testbed, node.devnode.c_str());
    return fd >= 0 && ::write(fd, report.data(), report.size()) == ssize_t(report.size());
}
