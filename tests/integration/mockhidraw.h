// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

// A mocked kernel (umockdev) with the receiver and the mouse on its cable as
// USB devices whose interfaces 0 and 2 carry hidraw nodes. Kept free of Qt,
// whose keywords clash with GLib's headers.
class MockHidraw
{
public:
    struct Node
    {
        std::string devnode; // /dev/hidrawN
        std::string syspath; // /sys/devices/.../hidraw/hidrawN
    };

    MockHidraw();
    ~MockHidraw();
    MockHidraw(const MockHidraw &) = delete;
    MockHidraw &operator=(const MockHidraw &) = delete;

    // False when the process does not run under umockdev-wrapper.
    bool usable() const { return m_usable; }
    const std::string &error() const { return m_error; }

    // Receiver (0) or cable (1), interface 0 or 2.
    const Node &node(int device, int interfaceNumber) const;
    void uevent(const Node &node, const char *action);

    // The mock side of a node: what the program wrote, and input for it.
    // Reads wait up to timeoutMs; returns the bytes read (empty on time-out).
    std::vector<unsigned char> readWritten(const Node &node, size_t max, int timeoutMs);
    bool sendInput(const Node &node, const std::vector<unsigned char> &report);

    struct Private;

private:
    Private *d;
    bool m_usable = false;
    std::string m_error;
    std::vector<Node> m_nodes;
};
