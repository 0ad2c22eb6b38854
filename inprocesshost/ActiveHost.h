// The host whose services the plug-in's callbacks reach. The callbacks of
// the plug-in interface carry no context, so the in-process host keeps a
// process-wide register: the newest host alive is the active one (one host
// call is active at a time; tests create hosts one after another).
#pragma once

class InProcessHost;

// The active host, or null when none is alive.
InProcessHost* ActiveInProcessHost();

// Called by InProcessHost's constructor and destructor.
void RegisterInProcessHost(InProcessHost* host);
void UnregisterInProcessHost(InProcessHost* host);
// Makes an already registered host the active one again.
void ActivateInProcessHost(InProcessHost* host);
