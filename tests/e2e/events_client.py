#!/usr/bin/env python3
"""A client of the control interface's events socket, as a chat bot keeps
one open: prints "open" once connected, then every text message it
receives as one line, as it arrives, until the socket closes.

Usage: events_client.py ws://127.0.0.1:PORT/api/v1/events?token=TOKEN
"""
import asyncio
import sys

import websockets


async def listen(url):
    # The library answers the server's pings itself, and sends no Origin.
    async with websockets.connect(url) as socket:
        print("open", flush=True)
        async for message in socket:
            if isinstance(message, str):
                print(message, flush=True)


if __name__ == "__main__":
    try:
        asyncio.run(listen(sys.argv[1]))
    except websockets.ConnectionClosed:
        pass
