#include "emulated_usb_bus.h"

// <linux/ioctl.h> first: <linux/usbdevice_fs.h> uses its macros without including it.
#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace zr4::test {

namespace {

constexpr int kSetupSize = 8;
constexpr int kShortReadBytes = 16;

// Device, configuration and one audio-control interface, as the component reports them, in the
// hex form of umockdev's binary attributes.
std::string DescriptorsHex(std::uint16_t vendor, std::uint16_t product) {
  char hex[80];
  std::snprintf(hex, sizeof hex,
                "1201000200000040%02x%02x%02x%02x000100000001"
                "090212000101008032"
                "090400000001010000",
                vendor & 0xFF, vendor >> 8, product & 0xFF, product >> 8);
  return hex;
}

// Removes the capabilities that let root open files regardless of their mode, for the calling
// thread only (umockdev's thread keeps them), so that a mode of 000 refuses this thread as it
// refuses an ordinary user. Returns the previous sets, which the destructor puts back.
std::pair<__user_cap_header_struct, std::array<__user_cap_data_struct, 2>> DropFileCapabilities() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  std::array<__user_cap_data_struct, 2> data{};
  syscall(SYS_capget, &header, data.data());
  auto reduced = data;
  reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
  syscall(SYS_capset, &header, reduced.data());
  return {header, data};
}

}  // namespace

bool UnderUmockdev() {
  const char* preload = std::getenv("LD_PRELOAD");
  return preload != nullptr && std::strstr(preload, "umockdev") != nullptr;
}

std::string EmulatedUsbBus::NodePath(int address) {
  char path[32];
  std::snprintf(path, sizeof path, "/dev/bus/usb/001/%03d", address);
  return path;
}

EmulatedUsbBus::EmulatedUsbBus()
    : testbed_(umockdev_testbed_new()), handler_(umockdev_ioctl_base_new()) {
  g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(&EmulatedUsbBus::OnIoctl), this);
}

EmulatedUsbBus::~EmulatedUsbBus() {
  if (capabilitiesDropped_) {
    syscall(SYS_capset, &savedCapHeader_, savedCaps_.data());
  }
  // The testbed goes first: it stops umockdev's thread, so nothing calls OnIoctl afterwards.
  g_object_unref(testbed_);
  g_object_unref(handler_);
  for (auto& [devnode, node] : nodes_) {
    for (UMockdevIoctlData* urb : node.done) umockdev_ioctl_data_unref(urb);
    for (UMockdevIoctlData* urb : node.pending) umockdev_ioctl_data_unref(urb);
  }
}

std::string EmulatedUsbBus::Plug(int address, int port, std::uint16_t product,
                                 std::uint16_t vendor) {
  const std::string devnode = NodePath(address);
  {
    std::lock_guard lock(mutex_);
    nodes_[devnode] = Node{};
  }
  // The handler is attached before the node appears, so the first open already reaches it.
  GError* error = nullptr;
  if (!umockdev_testbed_attach_ioctl(testbed_, devnode.c_str(), handler_, &error)) {
    const std::string message = error->message;
    g_error_free(error);
    throw std::runtime_error("attach_ioctl: " + message);
  }
  char number[8];
  std::snprintf(number, sizeof number, "%03d", address);
  char ids[16];
  std::snprintf(ids, sizeof ids, "%04x %04x", vendor, product);
  const std::string syspath = "/sys/devices/usb1/1-" + std::to_string(port);
  const std::string record =
      "P: /devices/usb1/1-" + std::to_string(port) + "\n" + "N: bus/usb/001/" + number + "\n" +
      "E: SUBSYSTEM=usb\n"
      "E: DEVTYPE=usb_device\n"
      "E: DEVNAME=" +
      devnode + "\n" +
      "E: BUSNUM=001\n"
      "E: DEVNUM=" +
      number + "\n" +
      "A: busnum=1\\n\n"
      "A: devnum=" +
      std::to_string(address) + "\\n\n" +
      "A: bConfigurationValue=1\\n\n"
      "A: speed=480\\n\n"
      "A: idVendor=" +
      std::string(ids, 4) + "\\n\n" + "A: idProduct=" + std::string(ids + 5, 4) + "\\n\n" +
      "H: descriptors=" + DescriptorsHex(vendor, product) + "\n";
  if (!umockdev_testbed_add_from_string(testbed_, record.c_str(), &error)) {
    const std::string message = error->message;
    g_error_free(error);
    throw std::runtime_error("add_from_string: " + message);
  }
  // umockdev announces the device before it writes the binary descriptors; a second
  // announcement lets a listener that came too early read them (a known device is ignored).
  umockdev_testbed_uevent(testbed_, syspath.c_str(), "add");
  std::lock_guard lock(mutex_);
  nodeOfSyspath_[syspath] = devnode;
  return syspath;
}

void EmulatedUsbBus::Unplug(const std::string& syspath) {
  {
    std::lock_guard lock(mutex_);
    nodes_[nodeOfSyspath_.at(syspath)].gone = true;
  }
  // The removal is announced while sysfs still describes the device, as the kernel does.
  umockdev_testbed_uevent(testbed_, syspath.c_str(), "remove");
  umockdev_testbed_remove_device(testbed_, syspath.c_str());
}

std::string EmulatedUsbBus::NodeFile(int address) {
  gchar* root = umockdev_testbed_get_root_dir(testbed_);
  std::string file = std::string(root) + NodePath(address);
  g_free(root);
  return file;
}

void EmulatedUsbBus::DenyAccess(int address) {
  chmod(NodeFile(address).c_str(), 0);
  if (!capabilitiesDropped_) {
    auto [header, caps] = DropFileCapabilities();
    savedCapHeader_ = header;
    savedCaps_ = caps;
    capabilitiesDropped_ = true;
  }
}

void EmulatedUsbBus::AllowAccess(int address) {
  chmod(NodeFile(address).c_str(), 0666);
}

void EmulatedUsbBus::FailNextTransfer(Fault fault) {
  std::lock_guard lock(mutex_);
  fault_ = fault;
}

std::vector<EmulatedUsbBus::Setup> EmulatedUsbBus::Setups() {
  std::lock_guard lock(mutex_);
  return setups_;
}

std::set<unsigned long> EmulatedUsbBus::IoctlsSeen() {
  std::lock_guard lock(mutex_);
  return ioctls_;
}

gboolean EmulatedUsbBus::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  static_cast<EmulatedUsbBus*>(self)->HandleIoctl(client);
  return TRUE;
}

void EmulatedUsbBus::HandleIoctl(UMockdevIoctlClient* client) {
  std::lock_guard lock(mutex_);
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  const std::string devnode = umockdev_ioctl_client_get_devnode(client);
  ioctls_.insert(request);
  Node& node = nodes_[devnode];
  if (node.gone && request != USBDEVFS_REAPURBNDELAY && request != USBDEVFS_REAPURB) {
    umockdev_ioctl_client_complete(client, -1, ENODEV);
    return;
  }
  switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
      UMockdevIoctlData* caps = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client),
                                                            0, sizeof(std::uint32_t), nullptr);
      const std::uint32_t value = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_NO_PACKET_SIZE_LIM;
      std::memcpy(caps->data, &value, sizeof value);
      umockdev_ioctl_data_unref(caps);
      umockdev_ioctl_client_complete(client, 0, 0);
      return;
    }
    case USBDEVFS_SUBMITURB:
      SubmitUrb(client, node, devnode);
      return;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
      ReapUrb(client, node);
      return;
    case USBDEVFS_DISCARDURB:
      DiscardUrb(client, node);
      return;
    case USBDEVFS_GETDRIVER:
    case USBDEVFS_IOCTL:
      // No kernel driver is bound in the emulation.
      umockdev_ioctl_client_complete(client, -1, ENODATA);
      return;
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE:
    case USBDEVFS_DISCONNECT_CLAIM:
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_RESET:
      umockdev_ioctl_client_complete(client, 0, 0);
      return;
    default:
      umockdev_ioctl_client_complete(client, -1, ENOTTY);
      return;
  }
}

void EmulatedUsbBus::SubmitUrb(UMockdevIoctlClient* client, Node& node,
                               const std::string& devnode) {
  UMockdevIoctlData* urbData = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0,
                                                           sizeof(usbdevfs_urb), nullptr);
  auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
  if (urb->type != USBDEVFS_URB_TYPE_CONTROL || urb->buffer_length < kSetupSize) {
    umockdev_ioctl_data_unref(urbData);
    umockdev_ioctl_client_complete(client, -1, EINVAL);
    return;
  }
  UMockdevIoctlData* bufferData = umockdev_ioctl_data_resolve(
      urbData, offsetof(usbdevfs_urb, buffer), static_cast<gsize>(urb->buffer_length), nullptr);
  std::uint8_t* setup = bufferData->data;
  const Setup seen{devnode,
                   setup[0],
                   setup[1],
                   static_cast<std::uint16_t>(setup[2] | setup[3] << 8),
                   static_cast<std::uint16_t>(setup[4] | setup[5] << 8),
                   static_cast<std::uint16_t>(setup[6] | setup[7] << 8)};
  setups_.push_back(seen);

  const Fault fault = std::exchange(fault_, Fault::None);
  if (fault == Fault::Unplug) {
    node.gone = true;
    umockdev_ioctl_data_unref(bufferData);
    umockdev_ioctl_data_unref(urbData);
    umockdev_ioctl_client_complete(client, -1, ENODEV);
    return;
  }
  if (fault == Fault::Timeout) {
    node.pending.push_back(urbData);
    umockdev_ioctl_data_unref(bufferData);
    umockdev_ioctl_client_complete(client, 0, 0);
    return;
  }

  urb->status = 0;
  urb->actual_length = 0;
  // The component knows one vendor request: 32 bytes on request 0, value 0, index 0.
  const bool known = (seen.requestType == 0xC1 || seen.requestType == 0x41) && seen.request == 0 &&
                     seen.value == 0 && seen.index == 0 && seen.length == kFrameSize &&
                     urb->buffer_length >= kSetupSize + static_cast<int>(kFrameSize);
  if (fault == Fault::Stall || !known) {
    urb->status = -EPIPE;
  } else {
    component_.Request((seen.requestType & 0x80) != 0, setup + kSetupSize);
    urb->actual_length = fault == Fault::ShortRead ? kShortReadBytes : kFrameSize;
  }
  node.done.push_back(urbData);
  umockdev_ioctl_data_unref(bufferData);
  umockdev_ioctl_client_complete(client, 0, 0);
}

void EmulatedUsbBus::ReapUrb(UMockdevIoctlClient* client, Node& node) {
  if (node.done.empty()) {
    umockdev_ioctl_client_complete(client, -1, node.gone ? ENODEV : EAGAIN);
    return;
  }
  UMockdevIoctlData* urbData = node.done.front();
  node.done.erase(node.done.begin());
  UMockdevIoctlData* slot =
      umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(void*), nullptr);
  umockdev_ioctl_data_set_ptr(slot, 0, urbData);
  umockdev_ioctl_client_complete(client, 0, 0);
  umockdev_ioctl_data_unref(slot);
  umockdev_ioctl_data_unref(urbData);
}

void EmulatedUsbBus::DiscardUrb(UMockdevIoctlClient* client, Node& node) {
  void* target = nullptr;
  std::memcpy(&target, umockdev_ioctl_client_get_arg(client)->data, sizeof target);
  for (auto it = node.pending.begin(); it != node.pending.end(); ++it) {
    if ((*it)->client_addr != reinterpret_cast<gulong>(target)) continue;
    auto* urb = reinterpret_cast<usbdevfs_urb*>((*it)->data);
    urb->status = -ENOENT;
    urb->actual_length = 0;
    node.done.push_back(*it);
    node.pending.erase(it);
    umockdev_ioctl_client_complete(client, 0, 0);
    return;
  }
  umockdev_ioctl_client_complete(client, -1, EINVAL);
}

}  // namespace zr4::test
