// The overlay for a streaming program's browser source: each frame the
// events socket sends (the window as a PNG with alpha) is drawn at its own
// size on a transparent page. When the program goes away the page keeps
// trying to connect again, so a restart needs nothing in the streaming
// program. The token comes from this page's own address.
"use strict";
(function () {
  const canvas = document.getElementById("frame");
  const context = canvas.getContext("2d");
  for (const element of [document.documentElement, document.body]) {
    element.style.margin = "0";
    element.style.padding = "0";
    element.style.background = "transparent";
    element.style.overflow = "hidden";
  }
  canvas.style.display = "block";

  function eventsAddress() {
    const query = new URLSearchParams(location.search);
    query.set("frames", "1");
    return "ws://" + location.host + "/api/v1/events?" + query.toString();
  }

  // Pictures decode in parallel and may finish out of order: only one newer
  // than the last drawn is drawn.
  let received = 0;
  let drawn = 0;
  function show(blob) {
    const number = ++received;
    createImageBitmap(blob).then(function (bitmap) {
      if (number > drawn) {
        drawn = number;
        if (canvas.width !== bitmap.width || canvas.height !== bitmap.height) {
          canvas.width = bitmap.width;
          canvas.height = bitmap.height;
        }
        context.clearRect(0, 0, canvas.width, canvas.height);
        context.drawImage(bitmap, 0, 0);
      }
      bitmap.close();
    });
  }

  function connect() {
    const socket = new WebSocket(eventsAddress());
    socket.binaryType = "blob";
    socket.onmessage = function (message) {
      // Text messages are events for other clients; frames are binary.
      if (typeof message.data !== "string") show(message.data);
    };
    socket.onclose = function () {
      setTimeout(connect, 2000);
    };
  }
  connect();
})();
